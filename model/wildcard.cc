#include "model/wildcard.h"

#include <algorithm>

#include "base/path.h"
#include "base/text.h"

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

const std::vector<DirectoryEntry>& DirectoryListings::Entries(
    const std::string& directory,
    std::string* error) {
  auto found = listings_.find(directory);
  if (found == listings_.end()) {
    Listing listing;
    if (disk_.ListDirectory(directory, &listing.entries, &listing.error)) {
      std::sort(listing.entries.begin(), listing.entries.end(),
                [](const DirectoryEntry& a, const DirectoryEntry& b) {
                  return WildcardMatchLess(a.name, b.name);
                });
    } else {
      listing.entries.clear();
      if (listing.error.empty())
        listing.error = "cannot be read";
    }
    if (cachedNames_ + listing.entries.size() > kMaxCachedNames)
      Clear();
    cachedNames_ += listing.entries.size();
    found = listings_.emplace(directory, std::move(listing)).first;
  }
  if (error)
    *error = found->second.error;
  return found->second.entries;
}

std::vector<FileMatch> ExpandFilePattern(DirectoryListings& listings,
                                         const std::string& base,
                                         const std::string& root,
                                         const std::string& pattern,
                                         std::string* error) {
  std::vector<FileMatch> matches;
  // What is written in front of each match: up to the last forward slash.
  const std::string_view prefix = std::string_view(pattern).substr(
      0, pattern.size() - NameAfterLastSlash(pattern).size());
  // Where to search: both kinds of slash separate directories here.
  const std::string_view last_component = FileName(pattern);
  const std::string directory = ForwardSlashes(std::string_view(pattern).substr(
      0, pattern.size() - last_component.size()));
  if (last_component.empty())
    return matches;
  std::string search_directory;
  if (!root.empty() && !IsAbsolutePath(directory))
    search_directory = ForwardSlashes(root) + "/" + directory;
  else
    search_directory = directory.empty() ? std::string(".") : directory;

  std::string reason;
  const std::vector<DirectoryEntry>& entries =
      listings.Entries(ResolvePath(base, search_directory), &reason);
  if (!reason.empty() && error)
    *error = "directory \"" + search_directory + "\" cannot be read (" +
             reason + ")";
  // Names are in match order, which sorts by their lower-case text: those
  // that start with the pattern's literal part (case ignored) stand
  // together, so only that stretch needs matching.
  const std::string_view literal =
      last_component.substr(0, last_component.find_first_of("*?"));
  auto starts_below = [&](const DirectoryEntry& entry) {
    const std::string& name = entry.name;
    for (size_t i = 0; i < literal.size(); ++i) {
      if (i == name.size())
        return true;
      unsigned char a = static_cast<unsigned char>(ToLowerAscii(name[i]));
      unsigned char b = static_cast<unsigned char>(ToLowerAscii(literal[i]));
      if (a != b)
        return a < b;
    }
    return false;
  };
  auto first =
      std::partition_point(entries.begin(), entries.end(), starts_below);
  for (auto it = first; it != entries.end(); ++it) {
    const std::string& name = it->name;
    if (name.size() < literal.size() ||
        !EqualsNoCase(std::string_view(name).substr(0, literal.size()),
                      literal))
      break;
    if (MatchWildcard(last_component, name))
      matches.push_back({std::string(prefix) + name, it->directory});
  }
  return matches;
}
