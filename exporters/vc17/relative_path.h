#ifndef QEV_EXPORTERS_VC17_RELATIVE_PATH_H_
#define QEV_EXPORTERS_VC17_RELATIVE_PATH_H_

#include <string>
#include <string_view>

// Paths of a description are relative to the directory qev runs in (an
// import's root for imported descriptions); Visual Studio resolves the paths
// of a project file from the project file's directory and those of a
// solution from the solution's. These helpers translate between the two,
// lexically: both "/" and "\" separate components, symbolic links are not
// followed.

// True when `path` starts with an MSBuild macro such as $(OutDir).
bool StartsWithMacro(std::string_view path);

// `path` made absolute against the absolute directory `base` (unless it is
// absolute already) and normalised: empty and "." components dropped, ".."
// removing the component before it (never above the root). Components are
// joined by "/"; the root is "/".
std::string AbsolutePath(std::string_view base, std::string_view path);

// The path that leads from the directory `from` to `to`, both as
// AbsolutePath gives them, with "\" between components; "." when they are
// equal. `to` itself (with "\") when the two lie on different drives.
std::string RelativePath(std::string_view from, std::string_view to);

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

#endif  // QEV_EXPORTERS_VC17_RELATIVE_PATH_H_
