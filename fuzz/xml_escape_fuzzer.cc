// Whatever a description holds, its escaped form is a well-formed attribute
// value: no raw "<" or double quote, every "&" starts a complete reference,
// and the parser reads it back without complaint.

#include <cstdint>
#include <cstdlib>
#include <string>

#include <tinyxml.h>

#include "exporters/vs_common/xml_escape.h"

namespace {

bool StartsReference(const std::string& text, size_t at) {
  size_t end = text.find(';', at);
  if (end == std::string::npos)
    return false;
  std::string name = text.substr(at + 1, end - at - 1);
  if (name == "amp" || name == "lt" || name == "gt" || name == "quot" ||
      name == "apos")
    return true;
  if (name.size() < 2 || name[0] != '#')
    return false;
  bool hex = name[1] == 'x';
  size_t digits = hex ? 2 : 1;
  if (digits >= name.size())
    return false;
  for (size_t i = digits; i < name.size(); ++i) {
    char c = name[i];
    bool ok = (c >= '0' && c <= '9') ||
              (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
    if (!ok)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string escaped = XmlEscaped(text);
  for (size_t i = 0; i < escaped.size(); ++i) {
    char c = escaped[i];
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '<' || c == '"' ||
        (byte < 0x20 && c != '\t' && c != '\n' && c != '\r'))
      abort();
    if (c == '&' && !StartsReference(escaped, i))
      abort();
  }
  std::string document = "<a v=\"" + escaped + "\"/>";
  TiXmlDocument doc;
  doc.Parse(document.c_str());
  if (doc.Error())
    abort();
  return 0;
}
