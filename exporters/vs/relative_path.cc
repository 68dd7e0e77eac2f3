#include "exporters/vs/relative_path.h"

#include <vector>

#include "base/text.h"

namespace {

// The components of `path` with "." and empty ones dropped and each ".."
// that follows a name cancelled with it; leading ".." stay.
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("/\\", start);
    if (end == std::string::npos)
      end = path.size();
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..")
        parts.pop_back();
      else
        parts.push_back(part);
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::optional<std::string> RelativeDirectory(const std::string& from,
                                             const std::string& to) {
  // No relative path leads from one drive to another; one drive may be
  // written in either letter case.
  if (IsAbsolutePath(from) != IsAbsolutePath(to) ||
      DriveLetter(from) != DriveLetter(to))
    return std::nullopt;
  size_t drive = HasDriveLetter(from) ? 2 : 0;
  std::vector<std::string> from_parts = Components(from.substr(drive));
  std::vector<std::string> to_parts = Components(to.substr(drive));
  size_t common = 0;
  while (common < from_parts.size() && common < to_parts.size() &&
         from_parts[common] == to_parts[common])
    ++common;
  std::string relative;
  for (size_t i = common; i < from_parts.size(); ++i) {
    // Leaving a ".." of `from` would need the name of the directory it
    // leads to.
    if (from_parts[i] == "..")
      return std::nullopt;
    relative += relative.empty() ? ".." : "/..";
  }
  for (size_t i = common; i < to_parts.size(); ++i) {
    if (!relative.empty())
      relative += "/";
    relative += to_parts[i];
  }
  return relative;
}

std::string DirectoryFromSolution(const std::string& from,
                                  const std::string& to) {
  if (std::optional<std::string> relative = RelativeDirectory(from, to))
    return *relative;
  if (!IsAbsolutePath(to))
    return std::string();
  // The solution joins a file name on with "/".
  std::string absolute = to;
  while (!absolute.empty() &&
         (absolute.back() == '/' || absolute.back() == '\\'))
    absolute.pop_back();
  return absolute;
}
