#ifndef QEV_EXPORTERS_VC17_MSBUILD_PATH_H_
#define QEV_EXPORTERS_VC17_MSBUILD_PATH_H_

#include <string>
#include <string_view>

// Paths of a description are relative to the directory its paths start from
// (an import's root for imported descriptions); Visual Studio resolves the
// paths of a project file from the project file's directory and those of a
// solution from the solution's, and writes them with "\". These translate
// between the two with the lexical rules of base/path.h.

// True when `path` starts with an MSBuild macro such as $(OutDir).
bool StartsWithMacro(std::string_view path);

// The path that leads from the absolute directory `from` to `to`, with "\"
// between components; "." when they are equal. `to` itself (with "\") when
// the two lie on different drives.
std::string WindowsRelativePath(std::string_view from, std::string_view to);

// A path of the description, seen from the directory `directory` (absolute,
// normalised) when the description's paths start at `base` (absolute): as
// written when it is absolute or starts with a macro, otherwise the
// relative path with "\" separators.
std::string RebasePath(std::string_view path,
                       std::string_view base,
                       std::string_view directory);

// `path` with "/" turned into "\" and a "\" at the end, as MSBuild wants its
// directory properties; empty stays empty.
std::string AsDirectory(std::string_view path);

#endif  // QEV_EXPORTERS_VC17_MSBUILD_PATH_H_
