#ifndef QEV_EXPORTERS_MAKE_TARGET_RULES_H_
#define QEV_EXPORTERS_MAKE_TARGET_RULES_H_

#include <string>

#include "model/resolved_configuration.h"

struct Configuration;
struct Target;

// The output-path variables of the target's dependencies in the same
// configuration, "$(<dependency>_<configuration>_bin)", joined by spaces.
std::string DependencyList(const Target& target,
                           const Configuration& configuration);

// Appends to `fragment` the rules of one built configuration: object and
// output variables, the clean rule, the build rule for its kind of output
// and the compile rules; and to `dependsLines` the configuration's
// "Depends for" line, which the exporter prints.
void WriteTargetRules(std::string* fragment,
                      const Target& target,
                      const Configuration& defaults,
                      const Configuration& configuration,
                      std::string* dependsLines);

#endif  // QEV_EXPORTERS_MAKE_TARGET_RULES_H_
