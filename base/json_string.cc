#include "base/json_string.h"

std::string JsonString(std::string_view text) {
  std::string out;
  AppendJsonString(&out, text);
  return out;
}

void AppendJsonString(std::string* out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  *out += '"';
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char u = static_cast<unsigned char>(text[i]);
    if (u >= 0x20 && u != '"' && u != '\\')
      continue;
    out->append(text.data() + run, i - run);
    run = i + 1;
    if (u >= 0x20) {
      *out += '\\';
      *out += text[i];
    } else {
      *out += "\\u00";
      *out += kHex[u >> 4];
      *out += kHex[u & 15];
    }
  }
  out->append(text.data() + run, text.size() - run);
  *out += '"';
}
