#ifndef QEV_BASE_TEXT_H_
#define QEV_BASE_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

// ASCII-only text helpers. Descriptions are narrow 8-bit text and keywords
// are compared ignoring ASCII letter case only, whatever the locale says.

inline char ToLowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);

// `path` with every backslash turned into a slash: descriptions written on
// Windows separate directories with either, and every host's file API takes
// the slash.
std::string ForwardSlashes(std::string_view path);

// `path` with every slash turned into a backslash, as Visual Studio writes
// its paths.
std::string BackSlashes(std::string_view path);

// The drive letter `path` starts with ("C:/sdk", "c:x"), in lower case, as
// Windows takes both cases for one drive; 0 when it has none.
char DriveLetter(std::string_view path);

// True when `path` starts with a drive letter and a colon.
inline bool HasDriveLetter(std::string_view path) {
  return DriveLetter(path) != 0;
}

// True for paths that do not start from the current directory: "/x", "\x"
// and drive paths such as "C:\x" or "C:/x". Descriptions are shared between
// hosts, so the answer does not depend on the host.
bool IsAbsolutePath(std::string_view path);

// `text` with control characters shown as "?", for a message that must not
// move the terminal's cursor or add lines of its own.
std::string Printable(std::string_view text);

// True when both texts are equal ignoring ASCII letter case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// The edit distance between two texts with ASCII letter case ignored: how
// many characters must be inserted, removed or replaced.
size_t EditDistanceNoCase(std::string_view a, std::string_view b);

// The candidate nearest to `name` when it is close enough to be a likely
// misspelling (at most one edit in three characters), else empty; ties go
// to the first.
std::string NearestName(std::string_view name,
                        const std::vector<std::string>& candidates);

// The value of a hexadecimal digit, or -1 for any other character.
int HexDigitValue(char c);

// Reads a decimal integer from the leading characters of `text` (optional
// white space and sign first), as "%d" or atoi would, clamped to the range of
// int. Returns false when no digit follows.
bool ParseLeadingInt(const char* text, int* value);

#endif  // QEV_BASE_TEXT_H_
