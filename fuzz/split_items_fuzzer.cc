// SplitItems on any text: items are never empty, come from the text, and
// hold white space only when they were quoted.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/split_items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const std::string& item : SplitItems(text)) {
    if (item.empty() || text.find(item) == std::string_view::npos)
      abort();
    bool has_space = item.find_first_of(" \t\n\v\f\r") != std::string::npos;
    if (has_space && text.find('"' + item) == std::string_view::npos)
      abort();
  }
  return 0;
}
