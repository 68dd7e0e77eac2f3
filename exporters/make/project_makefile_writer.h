#ifndef QEV_EXPORTERS_MAKE_PROJECT_MAKEFILE_WRITER_H_
#define QEV_EXPORTERS_MAKE_PROJECT_MAKEFILE_WRITER_H_

#include <string>
#include <unordered_set>

struct Configuration;
struct Project;
struct Target;

// The configurations whose rules a make fragment holds.
using WrittenRules = std::unordered_set<const Configuration*>;
// Own targets whose fragments were refused: the project makefile names
// neither their goals nor their fragments.
using LeftOutTargets = std::unordered_set<const Target*>;

// The wrapper "Makefile": its all and clean goals run the project makefile.
std::string FormatWrapperMakefile(const std::string& platformName,
                                  const Project& project);

// The project makefile "<project>.Makefile": the platform definitions, the
// all and clean goals of every built configuration, the include lines of the
// target fragments and the recursive make rules of imported targets, all in
// dependency order. That order does not always put a target's fragment
// after the fragments of its dependencies; the edges it would lose are
// stated again at the end, for the configurations in `rules`.
std::string FormatProjectMakefile(const std::string& platformName,
                                  const Project& project,
                                  const WrittenRules& rules,
                                  const LeftOutTargets& leftOut = {});

#endif  // QEV_EXPORTERS_MAKE_PROJECT_MAKEFILE_WRITER_H_
