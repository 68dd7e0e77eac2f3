#include "model/xml_document.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include <tinyxml.h>

#include "base/disk.h"

namespace {

bool IsXmlSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool StartsWith(const char* p, const char* prefix) {
  return std::strncmp(p, prefix, std::strlen(prefix)) == 0;
}

bool StartsWithNoCase(const char* p, const char* prefix) {
  for (; *prefix; ++p, ++prefix) {
    if (std::tolower(static_cast<unsigned char>(*p)) != *prefix)
      return false;
  }
  return true;
}

// The parser takes bytes from 127 up for letters of element names.
bool IsNameStart(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 127 || std::isalpha(byte) || c == '_';
}

bool IsNameChar(char c) {
  return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c)) ||
         c == '-' || c == '.' || c == ':';
}

// How many bytes the parser takes as one character in UTF-8 mode.
int Utf8Length(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  if (byte >= 0xC2 && byte <= 0xDF)
    return 2;
  if (byte >= 0xE0 && byte <= 0xEF)
    return 3;
  if (byte >= 0xF0 && byte <= 0xF4)
    return 4;
  return 1;
}

// The byte-order marks that the parser skips like white space in UTF-8.
bool StartsWithByteOrderMark(const char* p) {
  return StartsWith(p, "\xEF\xBB\xBF") || StartsWith(p, "\xEF\xBF\xBE") ||
         StartsWith(p, "\xEF\xBF\xBF");
}

// An attribute value of the declaration as the parser keeps it, before it
// knows the encoding: a numeric reference becomes the low byte of its number
// (the digits between its ";" and the last "#" or "x" before that), a
// predefined one its character, and an "&" that starts neither is dropped.
// The value ends at a null character.
std::string DecodeReferences(const std::string& text) {
  static const struct {
    const char* reference;
    char character;
  } kNamed[] = {{"&amp;", '&'},
                {"&lt;", '<'},
                {"&gt;", '>'},
                {"&quot;", '"'},
                {"&apos;", '\''}};
  std::string decoded;
  for (size_t i = 0; i < text.size();) {
    if (text[i] != '&') {
      decoded += text[i++];
      continue;
    }
    if (i + 2 < text.size() && text[i + 1] == '#') {
      const bool hex = text[i + 2] == 'x';
      const size_t end = text.find(';', i + (hex ? 3 : 2));
      if (end != std::string::npos) {
        // The scan has checked that only digits stand there.
        unsigned long code = 0;
        unsigned multiplier = 1;
        for (size_t q = end - 1; text[q] != (hex ? 'x' : '#'); --q) {
          const unsigned char c = static_cast<unsigned char>(text[q]);
          const unsigned digit =
              std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10;
          code += multiplier * digit;
          multiplier *= hex ? 16 : 10;
        }
        decoded += static_cast<char>(code);
        i = end + 1;
        continue;
      }
    }
    bool named_found = false;
    for (const auto& named : kNamed) {
      if (text.compare(i, std::strlen(named.reference), named.reference) == 0) {
        decoded += named.character;
        i += std::strlen(named.reference);
        named_found = true;
        break;
      }
    }
    if (!named_found)
      ++i;
  }
  return decoded.substr(0, decoded.find('\0'));
}

// Follows the text the way the parser does, without building anything, and
// counts how deep its element recursion goes. It stops where the parser
// would stop with an error, since the parser goes no deeper after that.
// Like the parser, it reads UTF-8 when the text starts with a byte-order mark
// or its first declaration names no encoding or UTF-8; then a lead byte takes
// the bytes of its sequence with it, whatever they are.
class NestingScanner {
 public:
  NestingScanner(const std::string& text, int limit)
      : p_(text.c_str()), limit_(limit) {
    utf8_ = StartsWith(p_, "\xEF\xBB\xBF");
    encodingKnown_ = utf8_;
  }

  NestingScan Run() {
    while (*p_) {
      if (*p_ != '<') {
        if (rootClosed_ && !IsXmlSpace(*p_) &&
            !(utf8_ && StartsWithByteOrderMark(p_)))
          NoteTrailing();
        if (*p_ == '&') {
          CheckReference();
          int reference = SkipNumericReference();
          if (reference < 0)
            break;
          if (reference > 0)
            continue;
        }
        AdvanceCharacter();
      } else if (StartsWith(p_, "</")) {
        if (depth_ > 0 && --depth_ == 0)
          rootClosed_ = true;
        SkipPast(">");
      } else if (StartsWithNoCase(p_, "<?xml")) {
        if (!SkipDeclaration())
          break;
      } else if (StartsWith(p_, "<!--")) {
        Advance(4);
        SkipPast("-->");
      } else if (StartsWith(p_, "<![CDATA[")) {
        Advance(9);
        SkipPast("]]>");
      } else if (IsNameStart(p_[1])) {
        if (rootClosed_)
          NoteTrailing();
        if (!OpenElement())
          break;
      } else {
        SkipPast(">");
      }
    }
    return result_;
  }

 private:
  void Advance(size_t count) {
    for (size_t i = 0; i < count && *p_; ++i, ++p_) {
      if (*p_ == '\n') {
        ++row_;
        column_ = 1;
      } else {
        ++column_;
      }
    }
  }

  // One character of text or of an attribute value.
  void AdvanceCharacter() { Advance(utf8_ ? Utf8Length(*p_) : 1); }

  void NoteTrailing() {
    if (result_.trailingRow == 0) {
      result_.trailingRow = row_;
      result_.trailingColumn = column_;
    }
  }

  // At an "&": notes it unless a predefined or numeric reference follows.
  void CheckReference() {
    static const char* const kNamed[] = {"&amp;", "&lt;", "&gt;", "&quot;",
                                         "&apos;"};
    for (const char* named : kNamed) {
      if (StartsWith(p_, named))
        return;
    }
    if (p_[1] == '#') {
      const char* q = p_ + 2;
      bool hex = *q == 'x';
      if (hex)
        ++q;
      const char* digits = q;
      while (hex ? std::isxdigit(static_cast<unsigned char>(*q)) != 0
                 : std::isdigit(static_cast<unsigned char>(*q)) != 0)
        ++q;
      if (q > digits && *q == ';')
        return;
    }
    // A description full of them gets a few warnings, not thousands.
    if (result_.strayAmpersands.size() < kMaxStrayAmpersands)
      result_.strayAmpersands.emplace_back(row_, column_);
  }

  static constexpr size_t kMaxStrayAmpersands = 10;

  // At an "&": the parser takes "&#" up to the next ";" as one character
  // reference, whatever stands between (a "<" or a quote included), when
  // the text from the last "#" (or "x") before that ";" is digits; with
  // anything else there it fails. 1 when it was passed over like that, -1
  // where the parser fails, 0 when no "&#" starts here.
  int SkipNumericReference() {
    if (p_[1] != '#' || !p_[2])
      return 0;
    const bool hex = p_[2] == 'x';
    if (hex && !p_[3])
      return 0;
    const char* end = std::strchr(p_ + (hex ? 3 : 2), ';');
    if (!end)
      return 0;
    for (const char* q = end - 1; *q != (hex ? 'x' : '#'); --q) {
      unsigned char c = static_cast<unsigned char>(*q);
      if (hex ? !std::isxdigit(c) : !std::isdigit(c))
        return -1;
    }
    Advance(static_cast<size_t>(end - p_) + 1);
    return 1;
  }

  void SkipPast(const char* end) {
    const char* found = std::strstr(p_, end);
    Advance(found ? static_cast<size_t>(found - p_) + std::strlen(end)
                  : std::strlen(p_));
  }

  void SkipSpace() {
    for (;;) {
      if (*p_ && IsXmlSpace(*p_))
        Advance(1);
      else if (utf8_ && StartsWithByteOrderMark(p_))
        Advance(3);
      else
        return;
    }
  }

  // Reads `name = value` as an attribute and keeps the value's text in
  // `value` when asked; false where the parser fails.
  bool SkipAttribute(std::string* value = nullptr) {
    while (*p_ && IsNameChar(*p_))
      Advance(1);
    SkipSpace();
    if (*p_ != '=')
      return false;
    Advance(1);
    SkipSpace();
    const char* start = p_;
    if (*p_ == '"' || *p_ == '\'') {
      char quote = *p_;
      Advance(1);
      start = p_;
      while (*p_ && *p_ != quote) {
        if (*p_ == '&') {
          if (!value)
            CheckReference();
          int reference = SkipNumericReference();
          if (reference < 0)
            return false;
          if (reference > 0)
            continue;
        }
        AdvanceCharacter();
      }
      if (value)
        value->assign(start, p_);
      Advance(1);
      return true;
    }
    while (*p_ && !IsXmlSpace(*p_) && *p_ != '/' && *p_ != '>') {
      if (*p_ == '"' || *p_ == '\'')
        return false;
      Advance(1);
    }
    if (value)
      value->assign(start, p_);
    return true;
  }

  // "<?xml ...>": only its version, encoding and standalone values are read
  // as quoted attributes; anything else is passed over word by word. The
  // first one outside any element settles the encoding.
  bool SkipDeclaration() {
    Advance(5);
    std::string encoding;
    while (*p_) {
      if (*p_ == '>') {
        Advance(1);
        if (depth_ == 0 && !encodingKnown_) {
          encodingKnown_ = true;
          encoding = DecodeReferences(encoding);
          utf8_ = encoding.empty() ||
                  StartsWithNoCase(encoding.c_str(), "utf-8") ||
                  StartsWithNoCase(encoding.c_str(), "utf8");
        }
        return true;
      }
      SkipSpace();
      if (StartsWithNoCase(p_, "encoding")) {
        if (!SkipAttribute(&encoding))
          return false;
      } else if (StartsWithNoCase(p_, "version") ||
                 StartsWithNoCase(p_, "standalone")) {
        if (!SkipAttribute())
          return false;
      } else {
        while (*p_ && *p_ != '>' && !IsXmlSpace(*p_))
          Advance(1);
      }
    }
    return false;
  }

  // A start tag: one level deeper until its "/>" or its end tag.
  bool OpenElement() {
    ++depth_;
    if (depth_ > result_.depth) {
      result_.depth = depth_;
      if (depth_ > limit_ && result_.row == 0) {
        result_.row = row_;
        result_.column = column_;
        return false;
      }
    }
    Advance(1);
    while (*p_ && IsNameChar(*p_))
      Advance(1);
    for (;;) {
      SkipSpace();
      if (!*p_)
        return false;
      if (*p_ == '/') {
        if (p_[1] != '>')
          return false;
        Advance(2);
        if (--depth_ == 0)
          rootClosed_ = true;
        return true;
      }
      if (*p_ == '>') {
        Advance(1);
        return true;
      }
      if (!SkipAttribute())
        return false;
    }
  }

  const char* p_;
  int limit_;
  bool utf8_ = false;
  bool encodingKnown_ = false;
  int depth_ = 0;
  bool rootClosed_ = false;
  int row_ = 1;
  int column_ = 1;
  NestingScan result_;
};

// The text of row `row` (from 1) of `text`.
std::string LineAt(const std::string& text, int row) {
  size_t start = 0;
  for (int r = 1; r < row; ++r) {
    start = text.find('\n', start);
    if (start == std::string::npos)
      return std::string();
    ++start;
  }
  size_t end = text.find('\n', start);
  return text.substr(
      start, end == std::string::npos ? std::string::npos : end - start);
}

// CR LF and lone CR become LF, as the parser's own file loading does.
void NormalizeLineEnds(std::string* text) {
  size_t out = 0;
  const size_t size = text->size();
  for (size_t in = 0; in < size; ++in) {
    char c = (*text)[in];
    if (c == '\r') {
      c = '\n';
      if (in + 1 < size && (*text)[in + 1] == '\n')
        ++in;
    }
    (*text)[out++] = c;
  }
  text->resize(out);
}

void PlaceError(const std::string& text, size_t offset, XmlLoadError* error) {
  error->row = 1;
  size_t line_start = 0;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++error->row;
      line_start = i + 1;
    }
  }
  error->column = static_cast<int>(offset - line_start) + 1;
  error->sourceLine = LineAt(text, error->row);
}

}  // namespace

NestingScan ScanNesting(const std::string& text, int limit) {
  return NestingScanner(text, limit).Run();
}

std::string SourceLine(const std::string& text, int row) {
  return LineAt(text, row);
}

bool LoadXmlDocument(Disk& disk,
                     const std::string& path,
                     TiXmlDocument* doc,
                     XmlLoadError* error,
                     std::vector<XmlLoadError>* warnings,
                     std::string* text_out) {
  error->file = path;
  std::string text;
  std::string reason;
  if (!disk.ReadFile(path, kMaxDescriptionBytes, &text, &reason)) {
    error->message = "cannot read the file: " + reason;
    return false;
  }
  NormalizeLineEnds(&text);

  size_t null_byte = text.find('\0');
  if (null_byte != std::string::npos) {
    PlaceError(text, null_byte, error);
    error->message = "null byte in the description";
    return false;
  }

  NestingScan nesting = ScanNesting(text, kMaxXmlNesting);
  if (nesting.depth > kMaxXmlNesting) {
    error->row = nesting.row;
    error->column = nesting.column;
    error->sourceLine = LineAt(text, nesting.row);
    error->message = "elements nested more than " +
                     std::to_string(kMaxXmlNesting) + " levels deep";
    return false;
  }

  // Tabs count as one column, so the caret lines up with the source line.
  doc->SetTabSize(1);
  // In UTF-8 the parser steps over a whole sequence after a lead byte, also
  // past the end of the text; spare null bytes keep it inside the buffer.
  text.append(4, '\0');
  doc->Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
  text.resize(text.size() - 4);
  if (doc->Error() && doc->ErrorId() == TiXmlBase::TIXML_ERROR_DOCUMENT_EMPTY) {
    // The parser says "empty" also when the text does not start with markup.
    size_t first = text.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string::npos) {
      error->message = "the description is empty";
    } else {
      PlaceError(text, first, error);
      error->message = "no XML element where the description should start";
    }
    return false;
  }
  if (doc->Error()) {
    error->message = doc->ErrorDesc();
    error->row = doc->ErrorRow();
    error->column = doc->ErrorCol();
    if (error->row > 0)
      error->sourceLine = LineAt(text, error->row);
    else
      error->column = 0;
    return false;
  }
  if (!doc->RootElement()) {
    error->message = "no root element";
    return false;
  }
  if (nesting.trailingRow > 0) {
    error->row = nesting.trailingRow;
    error->column = nesting.trailingColumn;
    error->sourceLine = LineAt(text, nesting.trailingRow);
    error->message = "content after the root element";
    return false;
  }
  if (warnings) {
    for (const auto& [row, column] : nesting.strayAmpersands) {
      XmlLoadError warning;
      warning.file = path;
      warning.row = row;
      warning.column = column;
      warning.sourceLine = LineAt(text, row);
      warning.message =
          "\"&\" starts no known reference (write \"&amp;\" for the "
          "character); it is dropped";
      warnings->push_back(std::move(warning));
    }
  }
  if (text_out)
    *text_out = std::move(text);
  return true;
}

std::string FormatXmlLoadError(const XmlLoadError& error,
                               const char* severity) {
  std::string report = error.file;
  if (error.row > 0) {
    report += ":" + std::to_string(error.row);
    if (error.column > 0)
      report += ":" + std::to_string(error.column);
  }
  report += std::string(": ") + severity + ": " + error.message + "\n";
  if (error.row <= 0 || error.column <= 0)
    return report;

  // The byte under the column: the parser counts a UTF-8 sequence as one.
  const std::string& line = error.sourceLine;
  size_t at = 0;
  for (int column = 1; column < error.column && at < line.size(); ++column) {
    ++at;
    while (at < line.size() &&
           (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80)
      ++at;
  }
  // Show a window of a very long line, not all of it.
  const size_t kWindow = 160;
  size_t first = 0;
  size_t length = line.size();
  if (line.size() > kWindow) {
    first = at > kWindow / 2 ? at - kWindow / 2 : 0;
    length = kWindow;
  }
  std::string shown = line.substr(first, length);
  // Control bytes of a binary file would garble the terminal.
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
      c = '?';
  }
  report += shown + "\n";
  // Copy tabs so the caret sits under the column whatever the tab width.
  for (size_t i = first; i < at && i - first < shown.size(); ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80)
      continue;
    report += line[i] == '\t' ? '\t' : ' ';
  }
  report += "^\n";
  return report;
}
