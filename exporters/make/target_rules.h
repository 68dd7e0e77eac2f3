#ifndef QEV_EXPORTERS_MAKE_TARGET_RULES_H_
#define QEV_EXPORTERS_MAKE_TARGET_RULES_H_

#include <string>

struct Configuration;
struct Target;

// True for the configurations that make builds: shown, and not named
// "default" (ASCII case ignored). Only these get goals and rules.
bool IsBuiltConfiguration(const Configuration& configuration);

// The type that decides how a configuration is built: the type of the
// target's default configuration when it has one, else the configuration's
// own.
const std::string& EffectiveType(const Configuration& defaults,
                                 const Configuration& configuration);

// The file that `configuration` of `target` builds, as the rules name it:
// "<directory>/<file>", with "." for an empty directory and the suffix of a
// shared (".so") or static (".a") library added to a file name without a dot.
// Output file and directory fall back to those of `defaults`; when neither
// names a file, the target's name is used.
std::string GetBinaryPath(const Target& target,
                          const Configuration& defaults,
                          const Configuration& configuration);

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
