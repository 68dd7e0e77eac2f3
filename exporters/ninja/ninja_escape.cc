#include "exporters/ninja/ninja_escape.h"

namespace {

bool IsShellSafe(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_' || c == '+' || c == '-' ||
         c == '.' || c == '/';
}

}  // namespace

std::string EscapeNinjaPath(std::string_view path) {
  std::string out;
  out.reserve(path.size() + 8);
  for (char c : path) {
    switch (c) {
      case '$':
      case ' ':
      case ':':
        out += '$';
        out += c;
        break;
      case '\n':
      case '\r':
        out += "$ ";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string EscapeNinjaValue(std::string_view value) {
  std::string out;
  out.reserve(value.size() + 8);
  for (char c : value) {
    if (c == '$')
      out += "$$";
    else if (c == '\n' || c == '\r')
      out += ' ';
    else
      out += c;
  }
  return out;
}

std::string ShellQuote(std::string_view word) {
  bool safe = !word.empty();
  for (char c : word)
    safe = safe && IsShellSafe(c);
  if (safe)
    return std::string(word);
  std::string out = "'";
  for (char c : word) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  out += '\'';
  return out;
}

std::string JsonString(std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  out.reserve(text.size() + 2);
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      out += "\\u00";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string UnescapeMake(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '$' && i + 1 < text.size() && text[i + 1] == '$')
      ++i;
  }
  return out;
}
