// MakeGuid on any name: always 36 upper-case hexadecimal digits in groups of
// 8-4-4-4-12, the same for the same name.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "exporters/vs_common/guid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string name(reinterpret_cast<const char*>(data), size);
  std::string guid = MakeGuid(name);
  if (guid.size() != 36 || guid != MakeGuid(name))
    abort();
  for (size_t i = 0; i < guid.size(); ++i) {
    bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    char c = guid[i];
    bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    if (dash ? c != '-' : !hex)
      abort();
  }
  return 0;
}
