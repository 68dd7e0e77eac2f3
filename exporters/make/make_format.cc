#include "exporters/make/make_format.h"

void AppendFormat(std::string* out,
                  std::string_view pattern,
                  std::initializer_list<std::string_view> args) {
  const std::string_view* next = args.begin();
  size_t start = 0;
  for (size_t i = pattern.find('%');
       i != std::string_view::npos && i + 1 < pattern.size();
       i = pattern.find('%', i + 1)) {
    char letter = pattern[i + 1];
    if (letter != 's' && letter != 'c')
      continue;
    out->append(pattern.data() + start, i - start);
    if (letter == 'c') {
      out->push_back('%');
    } else if (next != args.end()) {
      out->append(next->data(), next->size());
      ++next;
    }
    start = i + 2;
    ++i;
  }
  out->append(pattern.data() + start, pattern.size() - start);
}
