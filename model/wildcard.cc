#include "model/wildcard.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/text.h"

bool MatchWildcard(std::string_view pattern, std::string_view name) {
  // Greedy matching with a single backtrack point: linear in practice and
  // without recursion, whatever the pattern.
  size_t p = 0;
  size_t n = 0;
  size_t star = std::string_view::npos;
  size_t star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_name = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' ||
                ToLowerAscii(pattern[p]) == ToLowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

bool WildcardMatchLess(const std::string& a, const std::string& b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    unsigned char ca = static_cast<unsigned char>(ToLowerAscii(a[i]));
    unsigned char cb = static_cast<unsigned char>(ToLowerAscii(b[i]));
    if (ca != cb)
      return ca < cb;
  }
  if (a.size() != b.size())
    return a.size() < b.size();
  return a < b;
}

bool CanEnterDirectory(const std::string& path, std::string* reason) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    *reason = std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    *reason = std::strerror(ENOTDIR);
    return false;
  }
  if (access(path.c_str(), X_OK) != 0) {
    *reason = std::strerror(errno);
    return false;
  }
  return true;
}

const std::vector<std::string>& DirectoryListings::Names(
    const std::string& directory,
    std::string* error) {
  auto found = listings_.find(directory);
  if (found != listings_.end()) {
    auto failure = failures_.find(directory);
    if (error && failure != failures_.end())
      *error = failure->second;
    return found->second;
  }
  std::vector<std::string>& names = listings_[directory];
  DIR* dir = opendir(directory.c_str());
  if (!dir) {
    std::string reason = std::strerror(errno);
    if (error)
      *error = reason;
    failures_[directory] = std::move(reason);
    return names;
  }
  while (const dirent* entry = readdir(dir)) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
      names.emplace_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), WildcardMatchLess);
  return names;
}

std::vector<std::string> ExpandFilePattern(const std::string& root,
                                           const std::string& pattern,
                                           DirectoryListings* listings,
                                           std::string* error) {
  std::vector<std::string> matches;
  // What is written in front of each match: up to the last forward slash.
  size_t slash = pattern.rfind('/');
  std::string prefix =
      slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);

  // Where to search: both kinds of slash separate directories here.
  size_t separator = pattern.find_last_of("/\\");
  std::string directory;
  std::string_view last_component = pattern;
  if (separator != std::string::npos) {
    directory = pattern.substr(0, separator + 1);
    last_component = std::string_view(pattern).substr(separator + 1);
    std::replace(directory.begin(), directory.end(), '\\', '/');
  }
  if (last_component.empty())
    return matches;
  std::string search_directory;
  if (!root.empty() && (directory.empty() || directory[0] != '/'))
    search_directory = root + "/" + directory;
  else
    search_directory = directory.empty() ? std::string(".") : directory;

  DirectoryListings own_listings;
  if (!listings)
    listings = &own_listings;
  std::string reason;
  const std::vector<std::string>& names =
      listings->Names(search_directory, &reason);
  if (!reason.empty() && error)
    *error = "directory \"" + search_directory + "\" cannot be read (" +
             reason + ")";
  for (const std::string& name : names) {
    if (MatchWildcard(last_component, name))
      matches.push_back(prefix + name);
  }
  return matches;
}
