#ifndef QEV_MODEL_XML_DOCUMENT_H_
#define QEV_MODEL_XML_DOCUMENT_H_

#include <cstddef>
#include <string>

class TiXmlDocument;

// Why a description could not be loaded, with the place when one is known
// (row and column count from 1; 0 means unknown).
struct XmlLoadError {
  std::string file;
  int row = 0;
  int column = 0;
  std::string message;
  std::string sourceLine;  // the text of that row, when known
};

// Deeper nesting than this is refused before parsing: the parser and the
// reader both recurse once per level.
constexpr int kMaxXmlNesting = 1000;

// Larger descriptions are refused: no real one comes near, and a file that
// keeps growing must not take all memory.
constexpr size_t kMaxDescriptionBytes = size_t{1} << 30;

// Loads the XML document in `path` into `doc` as TinyXML's LoadFile would
// (line ends normalised, default encoding detection, white space condensed),
// but refuses embedded null bytes and nesting deeper than kMaxXmlNesting,
// and says why and where when it fails.
bool LoadXmlDocument(const std::string& path,
                     TiXmlDocument* doc,
                     XmlLoadError* error);

// The compiler-style report of `error`: "file:row:col: error: message",
// then the source line and a caret under the column.
std::string FormatXmlLoadError(const XmlLoadError& error);

// The deepest element nesting of `text` as the parser will see it, and where
// it first goes beyond `limit` (row and column from 1). Exposed for tests.
struct NestingScan {
  int depth = 0;
  int row = 0;
  int column = 0;
};
NestingScan ScanNesting(const std::string& text, int limit);

#endif  // QEV_MODEL_XML_DOCUMENT_H_
