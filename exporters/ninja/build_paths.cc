#include "exporters/ninja/build_paths.h"

#include <vector>

namespace {

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string_view::npos)
      slash = path.size();
    std::string_view part = path.substr(start, slash - start);
    if (!part.empty() && part != ".")
      parts.push_back(part);
    start = slash + 1;
  }
  return parts;
}

// True when CanonicalBuildPath would return `path` unchanged, found
// without allocating: most paths are.
bool IsCanonical(std::string_view path) {
  if (path.empty())
    return false;
  size_t start = path[0] == '/' ? 1 : 0;
  if (start == path.size())
    return true;
  bool named_before = false;  // a component other than ".." came before
  for (;;) {
    size_t slash = path.find('/', start);
    std::string_view part = path.substr(start, slash == std::string_view::npos
                                                   ? std::string_view::npos
                                                   : slash - start);
    if (part.empty() || part == ".")
      return false;
    if (part == "..") {
      if (named_before || path[0] == '/')
        return false;
    } else {
      named_before = true;
    }
    if (slash == std::string_view::npos)
      return true;
    start = slash + 1;
  }
}

}  // namespace

std::string CanonicalBuildPath(std::string_view path) {
  if (IsCanonical(path))
    return std::string(path);
  const bool absolute = !path.empty() && path[0] == '/';
  std::vector<std::string_view> kept;
  for (std::string_view part : Components(path)) {
    if (part == ".." && !kept.empty() && kept.back() != "..") {
      kept.pop_back();
    } else if (part == ".." && absolute && kept.empty()) {
      continue;
    } else {
      kept.push_back(part);
    }
  }
  std::string out = absolute ? "/" : "";
  for (size_t i = 0; i < kept.size(); ++i) {
    if (i > 0)
      out += '/';
    out.append(kept[i].data(), kept[i].size());
  }
  if (out.empty())
    out = ".";
  return out;
}

std::string JoinBuildPath(std::string_view directory, std::string_view path) {
  if (directory.empty() || (!path.empty() && path[0] == '/'))
    return CanonicalBuildPath(path);
  std::string joined(directory);
  joined += '/';
  joined.append(path.data(), path.size());
  return CanonicalBuildPath(joined);
}

std::string RelativeBuildPath(std::string_view from, std::string_view to) {
  std::vector<std::string_view> a = Components(from);
  std::vector<std::string_view> b = Components(to);
  size_t common = 0;
  while (common < a.size() && common < b.size() && a[common] == b[common])
    ++common;
  std::string out;
  for (size_t i = common; i < a.size(); ++i)
    out += out.empty() ? ".." : "/..";
  for (size_t i = common; i < b.size(); ++i) {
    if (!out.empty())
      out += '/';
    out.append(b[i].data(), b[i].size());
  }
  return out.empty() ? "." : out;
}

std::string DirectoryOf(std::string_view path) {
  size_t slash = path.rfind('/');
  if (slash == std::string_view::npos)
    return ".";
  if (slash == 0)
    return "/";
  return std::string(path.substr(0, slash));
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path
                                                     : path.substr(slash + 1));
}
