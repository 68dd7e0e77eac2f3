// MatchWildcard against a plain dynamic-programming matcher: the pattern is
// the text up to the first line break, the name what follows.

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "model/wildcard.h"

namespace {

bool ReferenceMatch(std::string_view pattern, std::string_view name) {
  // matches[j]: the pattern so far matches the first j characters of name.
  std::vector<char> matches(name.size() + 1, 0);
  matches[0] = 1;
  for (char p : pattern) {
    std::vector<char> next(name.size() + 1, 0);
    for (size_t j = 0; j <= name.size(); ++j) {
      if (p == '*') {
        next[j] = matches[j] || (j > 0 && next[j - 1]);
      } else if (j > 0 && matches[j - 1] &&
                 (p == '?' || ToLowerAscii(p) == ToLowerAscii(name[j - 1]))) {
        next[j] = 1;
      }
    }
    matches.swap(next);
  }
  return matches[name.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  size_t line_break = text.find('\n');
  if (line_break == std::string_view::npos || size > 4096)
    return 0;
  std::string_view pattern = text.substr(0, line_break);
  std::string_view name = text.substr(line_break + 1);
  if (MatchWildcard(pattern, name) != ReferenceMatch(pattern, name))
    abort();
  return 0;
}
