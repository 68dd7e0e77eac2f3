// bytewrap's names for any argument: when it accepts the argument, the array
// and the guard macro are C++ identifiers and the outputs sit beside it.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "bytewrap/names.h"

namespace {

bool IsIdentifier(const std::string& name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
    return false;
  for (char c : name) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
              (c >= '0' && c <= '9') || c == '_';
    if (!ok)
      return false;
  }
  return true;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string argument(reinterpret_cast<const char*>(data), size);
  OutputNames names;
  if (!DeriveNames(argument, &names))
    return 0;
  if (!IsIdentifier(names.arrayName) || !IsIdentifier(names.guardMacro))
    abort();
  if (!EndsWith(names.headerPath, ".h") ||
      !EndsWith(names.sourcePath, ".cpp") ||
      !EndsWith(names.headerPath, names.headerFile))
    abort();
  return 0;
}
