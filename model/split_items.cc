#include "model/split_items.h"

namespace {

bool IsItemSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

}  // namespace

std::vector<std::string> SplitItems(std::string_view text) {
  std::vector<std::string> items;
  size_t pos = 0;
  const size_t end = text.size();
  while (pos < end) {
    size_t start = pos;
    size_t stop;
    if (text[pos] == '"') {
      start = pos + 1;
      stop = text.find('"', start);
      if (stop == std::string_view::npos)
        stop = end;
    } else {
      stop = start;
      while (stop < end && !IsItemSpace(text[stop]))
        ++stop;
    }
    if (stop > start)
      items.emplace_back(text.substr(start, stop - start));
    // Skip the rest of this word (a closing quote and anything glued to it),
    // then the white space before the next item.
    pos = stop;
    while (pos < end && !IsItemSpace(text[pos]))
      ++pos;
    while (pos < end && IsItemSpace(text[pos]))
      ++pos;
  }
  return items;
}
