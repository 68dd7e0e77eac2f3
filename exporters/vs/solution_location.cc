#include "exporters/vs/solution_location.h"

#include "base/path.h"
#include "base/text.h"

std::string DirectoryFromSolution(const std::string& from,
                                  const std::string& to) {
  if (std::optional<std::string> relative = RelativePath(from, to))
    return *relative == "." ? std::string() : *relative;
  if (!IsAbsolutePath(to))
    return std::string();
  // The solution joins a file name on with "/".
  return std::string(TrimTrailingSeparators(to));
}
