// SplitItems on any text: items are never empty, come from the text in
// order, and hold white space only when they were quoted.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/split_items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  size_t from = 0;
  for (const std::string& item : SplitItems(text)) {
    if (item.empty())
      abort();
    size_t at = text.find(item, from);
    if (at == std::string_view::npos)
      abort();
    bool quoted = at > 0 && text[at - 1] == '"';
    if (!quoted && item.find_first_of(" \t\n\v\f\r") != std::string::npos)
      abort();
    from = at + item.size();
  }
  return 0;
}
