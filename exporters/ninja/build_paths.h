#ifndef QEV_EXPORTERS_NINJA_BUILD_PATHS_H_
#define QEV_EXPORTERS_NINJA_BUILD_PATHS_H_

#include <string>
#include <string_view>

// Lexical path operations on "/"-separated paths, done the way ninja
// canonicalises the paths of its graph, so that what qev writes is what
// ninja's $in and $out expand to.

// Drops empty and "." components and folds "name/.." (never "../..");
// "." for an empty result. A leading "/" stays.
std::string CanonicalBuildPath(std::string_view path);

// CanonicalBuildPath of `directory` + "/" + `path`, or of `path` alone when
// it is absolute or `directory` is empty.
std::string JoinBuildPath(std::string_view directory, std::string_view path);

// The path of `to` seen from the directory `from`, both absolute and
// canonical: "." when they are the same.
std::string RelativeBuildPath(std::string_view from, std::string_view to);

// Everything before the last "/", "." when there is none.
std::string DirectoryOf(std::string_view path);

// Everything after the last "/".
std::string FileNameOf(std::string_view path);

#endif  // QEV_EXPORTERS_NINJA_BUILD_PATHS_H_
