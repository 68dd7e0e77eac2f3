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

std::string UnsafeByteReason(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  if (c == ' ')
    return "it holds a space";
  if (c == '\n')
    return "it holds a line break";
  if (byte < 0x20 || byte == 0x7F)
    return "it holds a control character";
  return std::string("it holds \"") + c + "\"";
}

// The length of the make variable reference that starts `text` ("$(NAME)",
// "${NAME}", "$$"), or 0.
size_t VariableReferenceLength(std::string_view text) {
  if (text.size() < 2 || text[0] != '$')
    return 0;
  if (text[1] == '$')
    return 2;
  char close = text[1] == '(' ? ')' : text[1] == '{' ? '}' : 0;
  if (!close)
    return 0;
  for (size_t i = 2; i < text.size(); ++i) {
    char c = text[i];
    if (c == close)
      return i > 2 ? i + 1 : 0;
    bool name = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                (c >= '0' && c <= '9') || c == '_';
    if (!name)
      return 0;
  }
  return 0;
}

}  // namespace

std::string MakeUnsafeReason(std::string_view path) {
  for (char c : path) {
    if (!IsSafeByte(static_cast<unsigned char>(c)))
      return UnsafeByteReason(c);
  }
  return std::string();
}

std::string MakeUnsafeAuthorReason(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (size_t reference = VariableReferenceLength(text.substr(i))) {
      i += reference - 1;
      continue;
    }
    if (!IsSafeByte(static_cast<unsigned char>(text[i])))
      return UnsafeByteReason(text[i]);
  }
  return std::string();
}

std::string MakeShellWord(std::string_view word) {
  bool plain = !word.empty();
  for (char c : word) {
    if (c != '=' && !MakeUnsafeReason(std::string_view(&c, 1)).empty())
      plain = false;
  }
  std::string quoted = plain ? std::string() : "'";
  for (char c : word) {
    if (c == '\'' && !plain)
      quoted += "'\\''";
    else if (c == '$')
      quoted += "$$";
    else if (c == '#')
      quoted += "\\#";
    else
      quoted += c;
  }
  if (!plain)
    quoted += '\'';
  return quoted;
}
