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

// The entries of directories, each read from disk once. One serves the
// patterns of one FILES element, which mostly search the same directory.
class DirectoryListings {
 public:
  // The names in `directory` except "." and "..", in match order (see
  // WildcardMatchLess); empty when the directory cannot be read, and then
  // `*error` (when given) is set to the reason.
  const std::vector<std::string>& Names(const std::string& directory,
                                        std::string* error = nullptr);

 private:
  std::unordered_map<std::string, std::vector<std::string>> listings_;
  std::unordered_map<std::string, std::string> failures_;
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

// True when `path` names a directory that the process could enter.
bool CanEnterDirectory(const std::string& path, std::string* reason);

#endif  // QEV_MODEL_WILDCARD_H_
