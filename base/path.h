#ifndef QEV_BASE_PATH_H_
#define QEV_BASE_PATH_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Paths as descriptions and build files write them, taken apart and put
// together in one place. Everything here is lexical: nothing asks the disk,
// symbolic links are not followed. Descriptions are shared between hosts,
// so the answers do not depend on the host:
// - "/" and "\" both separate components;
// - a path is absolute when it starts with a separator or a drive letter
//   and a colon ("/x", "\x", "C:/x", "c:x"; see IsAbsolutePath in text.h);
// - one drive may be written in either letter case ("C:" is "c:");
// - results join components with "/" (callers that write Windows paths turn
//   them around with BackSlashes).

// True for "/" and "\".
inline bool IsPathSeparator(char c) {
  return c == '/' || c == '\\';
}

// The root of an absolute path as it is written ("/", "\", "C:/", "c:"),
// or empty for a relative path.
std::string_view PathRoot(std::string_view path);

// The components of `path` after its root, without empty and "."
// components; ".." stays as written.
std::vector<std::string_view> PathComponents(std::string_view path);

// The pieces of `path` between "/" only, exactly as written: empty and "."
// pieces included, "\" kept inside them (a file name found on a POSIX disk
// may hold one). For listings that show a path the way it was typed.
std::vector<std::string_view> SplitAtSlashes(std::string_view path);

// `path` made lexically plain: the root kept (a drive as "C:/", any other as
// "/"), empty and "." components dropped, each ".." folded with the name
// before it, ".." right below the root dropped, leading ".." of a relative
// path kept; components joined by "/". A relative path that is left with
// nothing is ".".
std::string NormalizePath(std::string_view path);

// NormalizePath of `directory` with `name` after it as it stands (nothing in
// `name` is read as a separator, as in a file name found on a POSIX disk);
// `name` alone when `directory` normalises to ".".
std::string JoinNormalized(std::string_view directory, std::string_view name);

// True when NormalizePath would give `path` back unchanged; cheap, so that
// the common case needs no new string.
bool IsNormalizedPath(std::string_view path);

// `directory` and `name` joined by one "/" (a separator that ends
// `directory` is not doubled); `name` alone when `directory` is empty.
// Nothing is normalised.
std::string JoinPath(std::string_view directory, std::string_view name);

// `path` seen from `directory`: `path` itself when it is absolute, else
// JoinPath. Nothing is normalised.
std::string ResolvePath(std::string_view directory, std::string_view path);

// NormalizePath of `path` read from the absolute directory `base`. An
// absolute `path` stands for itself; one that starts at a separator but
// names no drive stays on the drive of `base` (as Windows reads "\x").
std::string AbsolutePath(std::string_view base, std::string_view path);

// The path that leads from the directory `from` to `to` ("." when both
// name one directory), components joined by "/". Both are absolute, or both
// relative to one and the same directory. No path leads between an
// absolute and a relative path, between two drives, or out of a relative
// `from` that climbs ("..") higher than `to`: then there is no answer.
std::optional<std::string> RelativePath(std::string_view from,
                                        std::string_view to);

// Everything before the last separator of `path`, as written: "." when
// there is none, the root when the separator is the root's.
std::string ParentDirectory(std::string_view path);

// Everything after the last separator of `path` (all of it when it has
// none).
std::string_view FileName(std::string_view path);

// Everything after the last "/" of `path`: a "\" stays part of the name,
// as in a file name found on a POSIX disk.
std::string_view NameAfterLastSlash(std::string_view path);

// The extension of the file name with its dot (".cpp"), or empty when the
// file name holds no dot.
std::string_view FileExtension(std::string_view path);

// `path` without the separators that end it ("D:/" gives "D:", "/" gives
// "").
std::string_view TrimTrailingSeparators(std::string_view path);

#endif  // QEV_BASE_PATH_H_
