#ifndef QEV_EXPORTERS_MAKE_MAKE_SOURCE_LISTS_H_
#define QEV_EXPORTERS_MAKE_MAKE_SOURCE_LISTS_H_

#include <deque>
#include <string>
#include <string_view>
#include <vector>

struct Target;

// What the make rules do with a file, by the extension of its file name.
enum class MakeFileKind {
  kCpp,        // ".cpp": compiled with $(CXX)
  kC,          // ".c": compiled with $(CC)
  kLinkInput,  // ".a", ".lib"
  kUnbuilt,    // everything else: headers, documents, ...
};

// The kind of `path` from the text after the last '.' of its file name (the
// text after the last '/' or '\'); dots in directory names do not count.
MakeFileKind MakeKindOf(const std::string& path);

// True when `path` is a source of a language the make rules cannot compile
// (".cc", ".cxx", ".c++", ".C", ".S", ".s", ".m", ".mm", or ".cpp" and ".c"
// in another letter case).
bool IsSourceMakeCannotBuild(const std::string& path);

struct MakeSourceEntry {
  MakeFileKind kind;
  std::string_view path;  // into the target's file entries
};

// A target's files as the fragment lists them, and what the user should be
// told about them.
struct MakeSourceLists {
  // In the order of the file groups, each path once (its first occurrence),
  // unbuilt files left out. Valid while the target's files are unchanged.
  std::vector<MakeSourceEntry> entries;
  // One line each, without the "qev: warning: " prefix.
  std::vector<std::string> warnings;
  // Generated sources: the path the entries name (into the make directory
  // from its parent) and the output of the step as the step's rule names
  // it. They do not move, as entries point into them.
  std::deque<std::pair<std::string, std::string>> generatedSources;
};

// Sorts the target's files into the make source lists. Warns once for each
// source the rules cannot compile, and once for each pair of sources of one
// kind that the compile rule cannot tell apart: the rule finds a source by
// the path of its object ("../" removed) as a suffix, so "../core/util.cpp"
// also matches "../plugins/core/util.cpp".
MakeSourceLists CollectMakeSources(const Target& target);

#endif  // QEV_EXPORTERS_MAKE_MAKE_SOURCE_LISTS_H_
