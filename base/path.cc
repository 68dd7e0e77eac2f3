#include "base/path.h"

#include "base/text.h"

namespace {

// Appends the components of `path` (after its root) to `stack`, folding
// each ".." with the name before it. `rooted` drops a ".." that would climb
// above the root; otherwise leading ".." stay.
void PushComponents(std::string_view path,
                    bool rooted,
                    std::vector<std::string_view>* stack) {
  for (std::string_view part : PathComponents(path)) {
    if (part == "..") {
      if (!stack->empty() && stack->back() != "..") {
        stack->pop_back();
        continue;
      }
      if (rooted)
        continue;
    }
    stack->push_back(part);
  }
}

// The root as NormalizePath writes it.
std::string NormalizedRoot(std::string_view root) {
  if (root.empty())
    return std::string();
  if (HasDriveLetter(root))
    return std::string(root.substr(0, 2)) + "/";
  return "/";
}

std::string JoinComponents(std::string result,
                           const std::vector<std::string_view>& parts) {
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0)
      result += '/';
    result.append(parts[i].data(), parts[i].size());
  }
  return result;
}

}  // namespace

std::string_view PathRoot(std::string_view path) {
  if (HasDriveLetter(path)) {
    size_t length = path.size() > 2 && IsPathSeparator(path[2]) ? 3 : 2;
    return path.substr(0, length);
  }
  if (!path.empty() && IsPathSeparator(path[0]))
    return path.substr(0, 1);
  return std::string_view();
}

std::vector<std::string_view> PathComponents(std::string_view path) {
  std::vector<std::string_view> parts;
  path.remove_prefix(PathRoot(path).size());
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && !IsPathSeparator(path[i]))
      continue;
    std::string_view part = path.substr(start, i - start);
    if (!part.empty() && part != ".")
      parts.push_back(part);
    start = i + 1;
  }
  return parts;
}

std::vector<std::string_view> SplitAtSlashes(std::string_view path) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      pieces.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return pieces;
}

bool IsNormalizedPath(std::string_view path) {
  if (path.empty())
    return false;
  std::string_view root = PathRoot(path);
  if (!root.empty() && root != "/" && !(root.size() == 3 && root[2] == '/'))
    return false;
  std::string_view rest = path.substr(root.size());
  if (rest.empty())
    return !root.empty();
  bool named_before = false;  // a component other than ".." came before
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < rest.size() && rest[end] != '/') {
      if (rest[end] == '\\')
        return false;
      ++end;
    }
    std::string_view part = rest.substr(start, end - start);
    if (part.empty() || part == ".")
      return false;
    if (part == "..") {
      if (named_before || !root.empty())
        return false;
    } else {
      named_before = true;
    }
    if (end == rest.size())
      return true;
    start = end + 1;
  }
}

std::string NormalizePath(std::string_view path) {
  if (IsNormalizedPath(path))
    return std::string(path);
  std::string_view root = PathRoot(path);
  std::vector<std::string_view> parts;
  PushComponents(path, !root.empty(), &parts);
  std::string result = JoinComponents(NormalizedRoot(root), parts);
  return result.empty() ? "." : result;
}

std::string JoinNormalized(std::string_view directory, std::string_view name) {
  std::string normal = NormalizePath(directory);
  if (normal == ".")
    return std::string(name);
  return JoinPath(normal, name);
}

std::string JoinPath(std::string_view directory, std::string_view name) {
  if (directory.empty())
    return std::string(name);
  std::string joined(directory);
  if (!IsPathSeparator(joined.back()))
    joined += '/';
  joined.append(name.data(), name.size());
  return joined;
}

std::string ResolvePath(std::string_view directory, std::string_view path) {
  return IsAbsolutePath(path) ? std::string(path) : JoinPath(directory, path);
}

std::string AbsolutePath(std::string_view base, std::string_view path) {
  std::string_view root = PathRoot(path);
  std::vector<std::string_view> parts;
  std::string prefix;
  if (HasDriveLetter(root)) {
    prefix = NormalizedRoot(root);
  } else {
    std::string_view base_root = PathRoot(base);
    prefix = HasDriveLetter(base_root) ? NormalizedRoot(base_root) : "/";
    if (root.empty())
      PushComponents(base, true, &parts);
  }
  PushComponents(path.substr(root.size()), true, &parts);
  return JoinComponents(prefix, parts);
}

std::optional<std::string> RelativePath(std::string_view from,
                                        std::string_view to) {
  // No relative path leads from one drive to another; one drive may be
  // written in either letter case.
  if (IsAbsolutePath(from) != IsAbsolutePath(to) ||
      DriveLetter(from) != DriveLetter(to))
    return std::nullopt;
  const bool rooted = IsAbsolutePath(from);
  std::vector<std::string_view> from_parts;
  std::vector<std::string_view> to_parts;
  PushComponents(from, rooted, &from_parts);
  PushComponents(to, rooted, &to_parts);
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
      relative += '/';
    relative.append(to_parts[i].data(), to_parts[i].size());
  }
  return relative.empty() ? "." : relative;
}

std::string ParentDirectory(std::string_view path) {
  size_t root = PathRoot(path).size();
  size_t separator = path.find_last_of("/\\");
  if (separator == std::string_view::npos || separator < root) {
    if (root > 0)
      return std::string(path.substr(0, root));
    return ".";
  }
  return std::string(path.substr(0, separator));
}

std::string_view FileName(std::string_view path) {
  size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path
                                             : path.substr(separator + 1);
}

std::string_view NameAfterLastSlash(std::string_view path) {
  size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FileExtension(std::string_view path) {
  std::string_view name = FileName(path);
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string_view TrimTrailingSeparators(std::string_view path) {
  while (!path.empty() && IsPathSeparator(path.back()))
    path.remove_suffix(1);
  return path;
}
