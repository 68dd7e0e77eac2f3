#ifndef QEV_MODEL_WILDCARD_H_
#define QEV_MODEL_WILDCARD_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/disk.h"

// True when `name` matches `pattern`, where `*` stands for any run of
// characters (also none) and `?` for one character, ASCII case ignored.
bool MatchWildcard(std::string_view pattern, std::string_view name);

// The order in which matches are reported: names compared with ASCII
// letters folded to lower case, ties by byte order.
bool WildcardMatchLess(const std::string& a, const std::string& b);

// The entries of directories, each read from disk once and sorted once. One
// serves a whole run: its owner clears it whenever files may have been
// written.
class DirectoryListings {
 public:
  explicit DirectoryListings(Disk& disk) : disk_(disk) {}

  // The entries of `directory` except "." and "..", in match order of their
  // names (see WildcardMatchLess); empty, with the reason in `*error`, when
  // the directory cannot be read ("" when it could).
  const std::vector<DirectoryEntry>& Entries(const std::string& directory,
                                             std::string* error = nullptr);

  void Clear() {
    listings_.clear();
    cachedNames_ = 0;
  }

 private:
  // More names than this are not kept: the cache starts afresh instead, so
  // that a tree of many directories, each listed once, costs no memory.
  static constexpr size_t kMaxCachedNames = 1 << 13;

  struct Listing {
    std::vector<DirectoryEntry> entries;
    std::string error;
  };
  Disk& disk_;
  std::unordered_map<std::string, Listing> listings_;
  size_t cachedNames_ = 0;
};

// One entry a pattern found.
struct FileMatch {
  // The pattern's text up to its last "/", then the name as stored on disk.
  std::string path;
  bool directory = false;
};

// Searches the directory that `pattern` names, below `root` (the base
// directory when empty), for entries whose names match its last component,
// in match order. Relative roots and patterns start at `base` ("" for the
// directory qev runs in). Directory components are taken literally; both
// "/" and "\" separate them. "." and ".." are never reported. A directory
// that cannot be read yields no matches, and `*error` (when given) names it,
// as seen from `base`, with the reason.
std::vector<FileMatch> ExpandFilePattern(DirectoryListings& listings,
                                         const std::string& base,
                                         const std::string& root,
                                         const std::string& pattern,
                                         std::string* error = nullptr);

#endif  // QEV_MODEL_WILDCARD_H_
