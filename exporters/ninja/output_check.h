#ifndef QEV_EXPORTERS_NINJA_OUTPUT_CHECK_H_
#define QEV_EXPORTERS_NINJA_OUTPUT_CHECK_H_

#include <string>
#include <vector>

struct BuildGraph;
struct BuildUnit;
struct GenerateEdge;

// True when no two of the units' outputs, objects, pre-build stamps and
// goals (and no goal and the files qev writes) share a path; otherwise
// false with a message in `*error` naming the path and both writers, where
// ninja would only say "multiple rules generate".
bool CheckUniqueOutputs(const std::vector<BuildUnit>& units,
                        const std::vector<GenerateEdge>& edges,
                        std::string* error);

// True when build.ninja and compile_commands.json can say what the graph
// holds: every name and path as ninja and JSON can carry it (NinjaPathProblem),
// no output that a command would read as an option, and a command that
// reruns qev exactly as it ran (no line breaks in its directory, program,
// arguments or toolchain); otherwise false with a message in `*error`
// naming the text and what is wrong with it.
bool CheckCarriable(const BuildGraph& graph, std::string* error);

#endif  // QEV_EXPORTERS_NINJA_OUTPUT_CHECK_H_
