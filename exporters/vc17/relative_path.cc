#include "exporters/vc17/relative_path.h"

#include "base/text.h"

#include <vector>

namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> components;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      components.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return components;
}

void AppendNormalised(std::string_view path,
                      std::vector<std::string_view>* stack) {
  for (std::string_view component : Components(path)) {
    if (component.empty() || component == ".")
      continue;
    if (component == "..") {
      if (!stack->empty())
        stack->pop_back();
      continue;
    }
    stack->push_back(component);
  }
}

}  // namespace

bool StartsWithMacro(std::string_view path) {
  return path.substr(0, 2) == "$(";
}

std::string AbsolutePath(std::string_view base, std::string_view path) {
  std::vector<std::string_view> stack;
  // The root: a drive of its own, else the drive of `base` (on Windows a
  // path from "/" stays on the current drive).
  std::string prefix = "/";
  if (HasDriveLetter(path)) {
    prefix = std::string(path.substr(0, 2)) + "/";
    path.remove_prefix(2);
  } else {
    if (HasDriveLetter(base)) {
      prefix = std::string(base.substr(0, 2)) + "/";
      base.remove_prefix(2);
    }
    if (!IsAbsolutePath(path))
      AppendNormalised(base, &stack);
  }
  AppendNormalised(path, &stack);
  std::string result = prefix;
  for (size_t i = 0; i < stack.size(); ++i) {
    if (i > 0)
      result.push_back('/');
    result.append(stack[i]);
  }
  return result;
}

std::string RelativePath(std::string_view from, std::string_view to) {
  // No relative path leads to another drive: there the absolute one serves.
  if (DriveLetter(from) != DriveLetter(to))
    return BackSlashes(to);
  if (HasDriveLetter(from)) {
    from.remove_prefix(2);
    to.remove_prefix(2);
  }
  std::vector<std::string_view> from_parts;
  std::vector<std::string_view> to_parts;
  AppendNormalised(from, &from_parts);
  AppendNormalised(to, &to_parts);
  size_t common = 0;
  while (common < from_parts.size() && common < to_parts.size() &&
         from_parts[common] == to_parts[common])
    ++common;
  std::string result;
  for (size_t i = common; i < from_parts.size(); ++i)
    result.append(result.empty() ? ".." : "\\..");
  for (size_t i = common; i < to_parts.size(); ++i) {
    if (!result.empty())
      result.push_back('\\');
    result.append(to_parts[i]);
  }
  return result.empty() ? "." : result;
}

std::string RebasePath(std::string_view path,
                       std::string_view base,
                       std::string_view directory) {
  if (IsAbsolutePath(path) || StartsWithMacro(path))
    return std::string(path);
  return RelativePath(directory, AbsolutePath(base, path));
}

std::string AsDirectory(std::string_view path) {
  std::string result = BackSlashes(path);
  if (!result.empty() && result.back() != '\\')
    result.push_back('\\');
  return result;
}
