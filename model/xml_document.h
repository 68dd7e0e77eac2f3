#ifndef QEV_MODEL_XML_DOCUMENT_H_
#define QEV_MODEL_XML_DOCUMENT_H_

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class Disk;
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
// and gives its text in `*text` (when given, line ends normalised),
// but refuses anything but a regular file, embedded null bytes, nesting
// deeper than kMaxXmlNesting and content after the root element, and says
// why and where when it fails. An "&" that starts no known reference is
// read as the parser reads it, with a warning in `warnings` (when given).
bool LoadXmlDocument(Disk& disk,
                     const std::string& path,
                     TiXmlDocument* doc,
                     XmlLoadError* error,
                     std::vector<XmlLoadError>* warnings = nullptr,
                     std::string* text = nullptr);

// The text of line `row` (from 1) of `text`, for a caret under a place.
std::string SourceLine(const std::string& text, int row);

// The compiler-style report of `error`: "file:row:col: error: message",
// then the source line and a caret under the column. `severity` replaces
// "error" for warnings.
std::string FormatXmlLoadError(const XmlLoadError& error,
                               const char* severity = "error");

// The deepest element nesting of `text` as the parser will see it, and where
// it first goes beyond `limit` (row and column from 1). Exposed for tests.
// It also notes what the parser passes over without a word: content after
// the root element, and an "&" that starts no known reference.
struct NestingScan {
  int depth = 0;
  int row = 0;
  int column = 0;
  // Where content after the root element starts (0 when there is none).
  int trailingRow = 0;
  int trailingColumn = 0;
  // Row and column of each "&" that starts no reference the parser knows.
  std::vector<std::pair<int, int>> strayAmpersands;
};
NestingScan ScanNesting(const std::string& text, int limit);

#endif  // QEV_MODEL_XML_DOCUMENT_H_
