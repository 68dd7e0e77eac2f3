// The nesting scan must never count fewer levels than the parser builds:
// deeper documents are refused on its word, before the parser recurses.

#include <cstdint>
#include <cstdlib>
#include <string>

#include <tinyxml.h>

#include "model/xml_document.h"

namespace {

int ElementDepth(const TiXmlNode* root) {
  int deepest = 0;
  int depth = 1;
  const TiXmlNode* node = root;
  while (node) {
    if (node->ToElement() && depth > deepest)
      deepest = depth;
    if (node->FirstChild()) {
      node = node->FirstChild();
      ++depth;
      continue;
    }
    while (node && node != root && !node->NextSibling()) {
      node = node->Parent();
      --depth;
    }
    if (!node || node == root)
      break;
    node = node->NextSibling();
  }
  return deepest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.c_str();  // the parser stops at the first null byte
  NestingScan scan = ScanNesting(text, 300);
  if (scan.depth > 300)
    return 0;
  TiXmlDocument doc;
  std::string padded = text + std::string(4, '\0');
  doc.Parse(padded.c_str());
  int built = 0;
  for (const TiXmlNode* top = doc.FirstChild(); top; top = top->NextSibling())
    built = std::max(built, ElementDepth(top));
  if (built > scan.depth)
    abort();
  return 0;
}
