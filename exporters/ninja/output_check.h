#ifndef QEV_EXPORTERS_NINJA_OUTPUT_CHECK_H_
#define QEV_EXPORTERS_NINJA_OUTPUT_CHECK_H_

#include <string>
#include <vector>

struct BuildUnit;

// True when no two of the units' outputs, objects, pre-build stamps and
// goals (and no goal and the files qev writes) share a path; otherwise
// false with a message in `*error` naming the path and both writers, where
// ninja would only say "multiple rules generate".
bool CheckUniqueOutputs(const std::vector<BuildUnit>& units,
                        std::string* error);

#endif  // QEV_EXPORTERS_NINJA_OUTPUT_CHECK_H_
