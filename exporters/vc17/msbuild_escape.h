#ifndef QEV_EXPORTERS_VC17_MSBUILD_ESCAPE_H_
#define QEV_EXPORTERS_VC17_MSBUILD_ESCAPE_H_

#include <string>
#include <string_view>

// MSBuild reads % $ @ ; ' ? and * in property values and item names as its
// own syntax (escapes, properties, item lists, list separators, conditions,
// wildcards). A single value from a description is written with them
// escaped as %XX, which MSBuild turns back into the character before any
// tool sees it.

// `value` with % @ ; ' ? * and every $ that does not open "$(" escaped.
// "$(" stays as written: the VC7-VC8 files pass macros such as $(OutDir)
// through, and descriptions rely on them.
std::string MsBuildEscaped(std::string_view value);

// `value` with every character MSBuild reads as syntax escaped, "$(" too:
// for names found on disk, which must never run a property function.
std::string MsBuildEscapedLiteral(std::string_view value);

// Reverses MsBuildEscaped (and any other %XX escape of MSBuild).
std::string MsBuildUnescaped(std::string_view value);

#endif  // QEV_EXPORTERS_VC17_MSBUILD_ESCAPE_H_
