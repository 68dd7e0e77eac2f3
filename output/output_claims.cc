#include "output/output_claims.h"

#include "base/disk.h"
#include "base/path.h"
#include "base/text.h"

#include <unordered_set>

std::string OutputClaims::Key(Disk& disk, const std::string& path) {
  std::string directory = ParentDirectory(path);
  auto found = directories_.find(directory);
  if (found == directories_.end()) {
    std::string canonical = disk.CanonicalPath(directory);
    // A directory that does not exist yet is named as written.
    if (canonical.empty())
      canonical = NormalizePath(directory);
    found = directories_.emplace(directory, canonical).first;
  }
  return JoinPath(found->second, FileName(path));
}

bool OutputClaims::Claim(Disk& disk,
                         const std::vector<std::string>& paths,
                         const std::string& owner,
                         std::string* path,
                         std::string* holder,
                         bool* repeated) {
  std::vector<std::string> keys;
  keys.reserve(paths.size());
  for (const std::string& candidate : paths) {
    keys.push_back(Key(disk, candidate));
    auto taken = owners_.find(keys.back());
    if (taken != owners_.end() && taken->second != owner) {
      *path = candidate;
      *holder = taken->second;
      return false;
    }
  }
  if (repeated) {
    std::unordered_set<std::string> seen;
    *repeated = false;
    for (const std::string& key : keys)
      *repeated = !seen.insert(ToLowerAscii(key)).second || *repeated;
  }
  for (std::string& key : keys)
    owners_.emplace(std::move(key), owner);
  return true;
}
