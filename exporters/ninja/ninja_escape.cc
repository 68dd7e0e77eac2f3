#include "exporters/ninja/ninja_escape.h"

#include "base/utf8.h"

namespace {

bool IsShellSafe(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_' || c == '+' || c == '-' ||
         c == '.' || c == '/';
}

}  // namespace

std::string EscapeNinjaPath(std::string_view path) {
  std::string out;
  AppendNinjaPath(&out, path);
  return out;
}

void AppendNinjaPath(std::string* out_pointer, std::string_view path) {
  std::string& out = *out_pointer;
  bool plain = true;
  for (char c : path)
    plain = plain && c != '$' && c != ' ' && c != ':' && c != '\n' && c != '\r';
  if (plain) {
    out.append(path.data(), path.size());
    return;
  }
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
  std::string out;
  AppendShellQuoted(&out, word);
  return out;
}

void AppendShellQuoted(std::string* out, std::string_view word) {
  bool safe = !word.empty();
  for (char c : word)
    safe = safe && IsShellSafe(c);
  if (safe) {
    out->append(word.data(), word.size());
    return;
  }
  *out += '\'';
  for (char c : word) {
    if (c == '\'')
      *out += "'\\''";
    else
      *out += c;
  }
  *out += '\'';
}

std::string NinjaPathProblem(std::string_view path) {
  for (char c : path) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '|')
      return "it holds \"|\"";
    if (c == '\n' || c == '\r')
      return "it holds a line break";
    if (byte < 0x20 || byte == 0x7F)
      return "it holds a control character";
  }
  if (!IsValidUtf8(path))
    return "it is not UTF-8";
  return std::string();
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
