#ifndef QEV_EXPORTERS_VC17_PLATFORM_H_
#define QEV_EXPORTERS_VC17_PLATFORM_H_

#include <optional>
#include <string>

// The platforms of Visual Studio 2022 C++ projects.

// The platform without -p.
extern const char kVC17DefaultPlatform[];

// Maps `platform` (ASCII case ignored) to Win32, x64 or ARM64 and returns
// true; none means the default. Otherwise returns false and sets `error` to
// a message naming the platform: the console platforms of the VC7-VC8 files
// (xenon, xbox360, PS3) point to VC8, any other name lists the three.
bool MapVC17Platform(const std::optional<std::string>& platform,
                     std::string* mapped,
                     std::string* error);

// Empty when Visual Studio can carry `name` as a target name (it names the
// .vcxproj file and appears in the solution without escapes); otherwise
// what is wrong with it.
std::string TargetNameProblem(const std::string& name);

// Empty when `name` can serve as a configuration name (it stands in
// conditions, in the configuration|platform pairs and in directory names);
// otherwise what is wrong with it.
std::string ConfigurationNameProblem(const std::string& name);

#endif  // QEV_EXPORTERS_VC17_PLATFORM_H_
