#include "exporters/vc17/msbuild_path.h"

#include "base/path.h"
#include "base/text.h"

bool StartsWithMacro(std::string_view path) {
  return path.substr(0, 2) == "$(";
}

std::string WindowsRelativePath(std::string_view from, std::string_view to) {
  // No relative path leads to another drive: there the absolute one serves.
  std::optional<std::string> relative = RelativePath(from, to);
  return BackSlashes(relative ? *relative : to);
}

std::string RebasePath(std::string_view path,
                       std::string_view base,
                       std::string_view directory) {
  if (IsAbsolutePath(path) || StartsWithMacro(path))
    return std::string(path);
  return WindowsRelativePath(directory, AbsolutePath(base, path));
}

std::string AsDirectory(std::string_view path) {
  std::string result = BackSlashes(path);
  if (!result.empty() && result.back() != '\\')
    result.push_back('\\');
  return result;
}
