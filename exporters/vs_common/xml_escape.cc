#include "exporters/vs_common/xml_escape.h"

#include <cstdint>

#include "base/text.h"

namespace {

bool IsDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}

// The characters that XML 1.0 lets a character reference name.
bool IsXmlCharacter(uint32_t code) {
  return code == 0x9 || code == 0xA || code == 0xD ||
         (code >= 0x20 && code <= 0xD7FF) ||
         (code >= 0xE000 && code <= 0xFFFD) ||
         (code >= 0x10000 && code <= 0x10FFFF);
}

// True when `rest`, which starts just after "&#", holds a decimal ("123;")
// or hexadecimal ("x1F;") character reference of an allowed character.
bool IsCharacterReference(std::string_view rest) {
  bool hex = !rest.empty() && rest[0] == 'x';
  size_t i = hex ? 1 : 0;
  size_t first_digit = i;
  uint32_t code = 0;
  for (; i < rest.size() && rest[i] != ';'; ++i) {
    int digit = hex ? HexDigitValue(rest[i])
                    : (IsDecimalDigit(rest[i]) ? rest[i] - '0' : -1);
    if (digit < 0)
      return false;
    // Anything above the last code point is refused anyway; stop growing.
    if (code <= 0x10FFFF)
      code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
  }
  return i < rest.size() && i > first_digit && IsXmlCharacter(code);
}

}  // namespace

bool StartsXmlReference(std::string_view text) {
  static const std::string_view kNamed[] = {"&amp;", "&lt;", "&gt;", "&quot;",
                                            "&apos;"};
  for (std::string_view named : kNamed) {
    if (text.substr(0, named.size()) == named)
      return true;
  }
  return text.size() > 2 && text[1] == '#' &&
         IsCharacterReference(text.substr(2));
}

namespace {

// Control characters that no XML 1.0 document may hold, not even as a
// reference.
bool IsForbiddenControl(unsigned char byte) {
  return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
}

// The five bytes that Windows-1252 leaves undefined. Windows reads them as
// the code points of the same value, which a reference spells out for every
// XML parser.
const char* UndefinedWindows1252Reference(unsigned char byte) {
  switch (byte) {
    case 0x81:
      return "&#129;";
    case 0x8D:
      return "&#141;";
    case 0x8F:
      return "&#143;";
    case 0x90:
      return "&#144;";
    case 0x9D:
      return "&#157;";
    default:
      return nullptr;
  }
}

}  // namespace

void AppendXmlEscaped(std::string_view text, std::string* out) {
  out->reserve(out->size() + text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    switch (c) {
      case '<':
        out->append("&lt;");
        break;
      case '"':
        out->append("&quot;");
        break;
      case '&':
        if (StartsXmlReference(text.substr(i)))
          out->push_back('&');
        else
          out->append("&amp;");
        break;
      default: {
        unsigned char byte = static_cast<unsigned char>(c);
        if (IsForbiddenControl(byte)) {
          out->push_back('?');
        } else if (const char* reference =
                       UndefinedWindows1252Reference(byte)) {
          out->append(reference);
        } else {
          out->push_back(c);
        }
      }
    }
  }
}

std::string XmlEscaped(std::string_view text) {
  std::string out;
  AppendXmlEscaped(text, &out);
  return out;
}
