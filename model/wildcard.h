#ifndef QEV_MODEL_WILDCARD_H_
#define QEV_MODEL_WILDCARD_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// True when `name` matches `pattern`, where `*` stands for any run of
// characters (also none) and `?` for one character, ASCII case ignored.
bool MatchWildcard(std::string_view pattern, std::string_view name);

// The order in which matches are reported: names compared with ASCII
// letters folded to lower case, ties by byte order.
bool WildcardMatchLess(const std::string& a, const std::string& b);

// The entries of directories, each read from disk once and sorted once. One
// serves a whole run: its owner clears it whenever the current directory
// changes or files may have been written.
class DirectoryListings {
 public:
  // The names in `directory` except "." and "..", in match order (see
  // WildcardMatchLess); empty, with the reason in `*error`, when the
  // directory cannot be read ("" when it could).
  const std::vector<std::string>& Names(const std::string& directory,
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
    std::vector<std::string> names;
    std::string error;
  };
  std::unordered_map<std::string, Listing> listings_;
  size_t cachedNames_ = 0;
};

// Searches the directory that `pattern` names, below `root` (the current
// directory when empty), for entries whose names match its last component.
// Each match is the pattern's text up to its last "/" followed by the entry's
// name as stored on disk, in match order. Directory components are taken
// literally; both "/" and "\" separate them. "." and ".." are never
// reported. A directory that cannot be read yields no matches, and `*error`
// (when given) names it with the reason. Directories are read through
// `listings` when given.
std::vector<std::string> ExpandFilePattern(
    const std::string& root,
    const std::string& pattern,
    DirectoryListings* listings = nullptr,
    std::string* error = nullptr);

#endif  // QEV_MODEL_WILDCARD_H_
