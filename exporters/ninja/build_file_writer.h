#ifndef QEV_EXPORTERS_NINJA_BUILD_FILE_WRITER_H_
#define QEV_EXPORTERS_NINJA_BUILD_FILE_WRITER_H_

#include <string>

struct BuildGraph;

// How many links ninja runs at once, however wide its -j.
constexpr int kLinkPoolDepth = 4;

// The whole build.ninja of a graph: toolchain, rules, the regeneration
// edge, per unit its compiles, archive or link and goal, then a goal per
// configuration and "all", which a bare `ninja` builds.
std::string FormatBuildFile(const BuildGraph& graph);
// The same, appended to `out`; the units' parts are formatted on `jobs`
// threads, which changes nothing of the text.
void AppendBuildFile(const BuildGraph& graph, std::string* out, int jobs = 1);

// The command of the regeneration rule: qev rerun in its directory with the
// recorded toolchain in its environment.
std::string FormatRegenerationCommand(const BuildGraph& graph);

#endif  // QEV_EXPORTERS_NINJA_BUILD_FILE_WRITER_H_
