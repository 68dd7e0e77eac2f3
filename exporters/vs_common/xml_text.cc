#include "exporters/vs_common/xml_text.h"

#include <cstdint>

#include "base/utf8.h"
#include "exporters/vs_common/xml_escape.h"

namespace {

// The code point of the reference `text` (from "&" to ";" inclusive), which
// StartsXmlReference accepted.
uint32_t ReferencedCharacter(std::string_view text) {
  if (text == "&amp;")
    return '&';
  if (text == "&lt;")
    return '<';
  if (text == "&gt;")
    return '>';
  if (text == "&quot;")
    return '"';
  if (text == "&apos;")
    return '\'';
  bool hex = text.size() > 2 && text[2] == 'x';
  uint32_t code = 0;
  for (size_t i = hex ? 3 : 2; i + 1 < text.size(); ++i) {
    char c = text[i];
    uint32_t digit = (c >= '0' && c <= '9') ? static_cast<uint32_t>(c - '0')
                     : (c >= 'a' && c <= 'f')
                         ? static_cast<uint32_t>(c - 'a' + 10)
                         : static_cast<uint32_t>(c - 'A' + 10);
    code = code * (hex ? 16 : 10) + digit;
  }
  return code;
}

// Length of the valid UTF-8 sequence at the start of `text` that XML allows
// (not U+FFFE or U+FFFF), or 0.
size_t Utf8SequenceLength(std::string_view text) {
  uint32_t code = 0;
  size_t length = ::Utf8SequenceLength(text, &code);
  return code == 0xFFFE || code == 0xFFFF ? 0 : length;
}

// The code points of Windows-1252's bytes 0x80 to 0x9F; the five bytes it
// leaves undefined are read as the code point of the same value, as Windows
// does.
const uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string DecodeXmlReferences(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && StartsXmlReference(text.substr(i))) {
      size_t end = text.find(';', i);
      AppendUtf8(ReferencedCharacter(text.substr(i, end - i + 1)), &out);
      i = end;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out.push_back(text[i++]);
      continue;
    }
    if (size_t length = Utf8SequenceLength(text.substr(i))) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    }
    AppendUtf8(byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte, &out);
    ++i;
  }
  return out;
}

namespace {

void AppendEscaped(std::string_view text, bool attribute, std::string* out) {
  std::string utf8 = ToUtf8(text);
  out->reserve(out->size() + utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '&':
        out->append("&amp;");
        break;
      case '<':
        out->append("&lt;");
        break;
      case '>':
        out->append("&gt;");
        break;
      case '"':
        out->append("&quot;");
        break;
      case '\r':
        out->append("&#xD;");
        break;
      case '\n':
        if (attribute)
          out->append("&#xA;");
        else
          out->push_back(c);
        break;
      case '\t':
        if (attribute)
          out->append("&#x9;");
        else
          out->push_back(c);
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20)
          out->push_back('?');
        else
          out->push_back(c);
    }
  }
}

}  // namespace

void AppendXmlText(std::string_view text, std::string* out) {
  AppendEscaped(text, false, out);
}

void AppendXmlAttributeText(std::string_view text, std::string* out) {
  AppendEscaped(text, true, out);
}
