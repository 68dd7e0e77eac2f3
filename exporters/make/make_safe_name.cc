#include "exporters/make/make_safe_name.h"

namespace {

bool IsSafeByte(unsigned char c) {
  if (c >= 0x80)
    return true;
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
      (c >= '0' && c <= '9'))
    return true;
  switch (c) {
    case '_':
    case '-':
    case '.':
    case '/':
    case '+':
    case ',':
    case '@':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string MakeUnsafeReason(std::string_view path) {
  for (char c : path) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (IsSafeByte(byte))
      continue;
    if (c == ' ')
      return "it holds a space";
    if (c == '\n')
      return "it holds a line break";
    if (byte < 0x20 || byte == 0x7F)
      return "it holds a control character";
    return std::string("it holds \"") + c + "\"";
  }
  return std::string();
}
