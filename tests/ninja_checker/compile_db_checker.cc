#include "tests/ninja_checker/compile_db_checker.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <utility>

namespace {

// Deeper nesting is refused rather than read on the stack.
const int kMaxDepth = 256;

struct JsonValue {
  enum Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = kNull;
  std::string text;  // a string's value
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;
  int line = 0;
  int column = 0;
  std::vector<int> memberLines;
  std::vector<int> memberColumns;
};

const char* KindName(JsonValue::Kind kind) {
  switch (kind) {
    case JsonValue::kNull:
      return "null";
    case JsonValue::kBool:
      return "a boolean";
    case JsonValue::kNumber:
      return "a number";
    case JsonValue::kString:
      return "a string";
    case JsonValue::kArray:
      return "an array";
    case JsonValue::kObject:
      return "an object";
  }
  return "?";
}

// Length of the UTF-8 sequence at `at` (1 to 4), or 0 when it is not one:
// no overlong forms, no surrogates, nothing past U+10FFFF.
size_t Utf8Length(std::string_view text, size_t at) {
  const unsigned char* p =
      reinterpret_cast<const unsigned char*>(text.data()) + at;
  size_t left = text.size() - at;
  auto continuation = [&](size_t i) {
    return i < left && (p[i] & 0xC0) == 0x80;
  };
  if (p[0] < 0x80)
    return 1;
  if (p[0] >= 0xC2 && p[0] <= 0xDF)
    return continuation(1) ? 2 : 0;
  if (p[0] >= 0xE0 && p[0] <= 0xEF) {
    if (!continuation(1) || !continuation(2))
      return 0;
    if (p[0] == 0xE0 && p[1] < 0xA0)
      return 0;
    if (p[0] == 0xED && p[1] >= 0xA0)
      return 0;
    return 3;
  }
  if (p[0] >= 0xF0 && p[0] <= 0xF4) {
    if (!continuation(1) || !continuation(2) || !continuation(3))
      return 0;
    if (p[0] == 0xF0 && p[1] < 0x90)
      return 0;
    if (p[0] == 0xF4 && p[1] >= 0x90)
      return 0;
    return 4;
  }
  return 0;
}

void AppendUtf8(std::string* out, uint32_t code) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (code >> 18));
    *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {
    lineStarts_.push_back(0);
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n')
        lineStarts_.push_back(i + 1);
    }
  }

  // The value of the whole text; false after a syntax error (reported).
  bool Read(JsonValue* value) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
      Problem("a byte order mark (JSON text must not start with one)");
      return false;
    }
    SkipSpace();
    if (!ReadValue(value, 0))
      return false;
    SkipSpace();
    if (at_ < text_.size()) {
      Problem("text after the JSON value");
      return false;
    }
    return true;
  }

  void Problem(const std::string& message) { ProblemAt(at_, message); }

  void ProblemAt(size_t offset, const std::string& message) {
    int line, column;
    Position(offset, &line, &column);
    problems_.push_back(JsonProblem{line, column, message});
  }

  std::vector<JsonProblem>& problems() { return problems_; }

 private:
  void Position(size_t offset, int* line, int* column) const {
    auto next =
        std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
    *line = static_cast<int>(next - lineStarts_.begin());
    *column = static_cast<int>(offset - *(next - 1)) + 1;
  }

  char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
  bool AtEnd() const { return at_ >= text_.size(); }

  void SkipSpace() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' ||
                        Peek() == '\r'))
      ++at_;
  }

  std::string Describe() const {
    if (AtEnd())
      return "the end of the text";
    unsigned char c = static_cast<unsigned char>(Peek());
    if (c < 0x20 || c >= 0x7F) {
      static const char kHex[] = "0123456789ABCDEF";
      return std::string("byte 0x") + kHex[c >> 4] + kHex[c & 15];
    }
    return std::string("'") + static_cast<char>(c) + "'";
  }

  void Mark(JsonValue* value) { Position(at_, &value->line, &value->column); }

  bool ReadValue(JsonValue* value, int depth) {
    Mark(value);
    if (depth > kMaxDepth) {
      Problem("values nested too deeply");
      return false;
    }
    switch (Peek()) {
      case '{':
        return ReadObject(value, depth);
      case '[':
        return ReadArray(value, depth);
      case '"':
        value->kind = JsonValue::kString;
        return ReadString(&value->text);
      case 't':
        value->kind = JsonValue::kBool;
        return ReadLiteral("true");
      case 'f':
        value->kind = JsonValue::kBool;
        return ReadLiteral("false");
      case 'n':
        value->kind = JsonValue::kNull;
        return ReadLiteral("null");
      default:
        if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) {
          value->kind = JsonValue::kNumber;
          return ReadNumber();
        }
        Problem("expected a value, found " + Describe());
        return false;
    }
  }

  bool ReadLiteral(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) {
      Problem("expected " + std::string(word) + ", found " + Describe());
      return false;
    }
    at_ += word.size();
    return true;
  }

  bool Digits() {
    size_t start = at_;
    while (Peek() >= '0' && Peek() <= '9')
      ++at_;
    return at_ > start;
  }

  bool ReadNumber() {
    if (Peek() == '-')
      ++at_;
    if (Peek() == '0') {
      ++at_;
      if (Peek() >= '0' && Peek() <= '9') {
        Problem("a number with a leading zero");
        return false;
      }
    } else if (!Digits()) {
      Problem("expected digits, found " + Describe());
      return false;
    }
    if (Peek() == '.') {
      ++at_;
      if (!Digits()) {
        Problem("expected digits after '.', found " + Describe());
        return false;
      }
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++at_;
      if (Peek() == '+' || Peek() == '-')
        ++at_;
      if (!Digits()) {
        Problem("expected digits in the exponent, found " + Describe());
        return false;
      }
    }
    return true;
  }

  bool Hex4(uint32_t* code) {
    *code = 0;
    for (int i = 0; i < 4; ++i) {
      char c = Peek();
      int digit = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
      if (digit < 0) {
        Problem("expected four hexadecimal digits after \\u, found " +
                Describe());
        return false;
      }
      *code = *code * 16 + static_cast<uint32_t>(digit);
      ++at_;
    }
    return true;
  }

  bool ReadString(std::string* out) {
    ++at_;  // the opening quote
    for (;;) {
      if (AtEnd()) {
        Problem("a string without its closing quote");
        return false;
      }
      unsigned char c = static_cast<unsigned char>(Peek());
      if (c == '"') {
        ++at_;
        return true;
      }
      if (c < 0x20) {
        Problem("a control character (" + Describe() +
                ") in a string; write it as an escape");
        return false;
      }
      if (c == '\\') {
        ++at_;
        char e = Peek();
        static const std::string kSimple = "\"\\/bfnrt";
        static const std::string kMeaning = "\"\\/\b\f\n\r\t";
        size_t simple = kSimple.find(e);
        if (!AtEnd() && simple != std::string::npos) {
          *out += kMeaning[simple];
          ++at_;
          continue;
        }
        if (e != 'u') {
          Problem("an unknown escape \\" +
                  (AtEnd() ? std::string() : std::string(1, e)));
          return false;
        }
        ++at_;
        size_t escape = at_ - 2;
        uint32_t code;
        if (!Hex4(&code))
          return false;
        if (code >= 0xDC00 && code <= 0xDFFF) {
          ProblemAt(escape, "a low surrogate escape without a high one");
          return false;
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
          uint32_t low = 0;
          if (text_.substr(at_, 2) != "\\u") {
            ProblemAt(escape, "a high surrogate escape without a low one");
            return false;
          }
          at_ += 2;
          if (!Hex4(&low))
            return false;
          if (low < 0xDC00 || low > 0xDFFF) {
            ProblemAt(escape, "a high surrogate escape without a low one");
            return false;
          }
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
        continue;
      }
      size_t length = Utf8Length(text_, at_);
      if (length == 0) {
        Problem("bytes that are not UTF-8 (" + Describe() + ")");
        return false;
      }
      out->append(text_.substr(at_, length));
      at_ += length;
    }
  }

  bool ReadArray(JsonValue* value, int depth) {
    value->kind = JsonValue::kArray;
    ++at_;
    SkipSpace();
    if (Peek() == ']') {
      ++at_;
      return true;
    }
    for (;;) {
      value->items.emplace_back();
      if (!ReadValue(&value->items.back(), depth + 1))
        return false;
      SkipSpace();
      if (Peek() == ']') {
        ++at_;
        return true;
      }
      if (Peek() != ',') {
        Problem("expected ',' or ']' in an array, found " + Describe());
        return false;
      }
      ++at_;
      SkipSpace();
      if (Peek() == ']') {
        Problem("a trailing comma before ']'");
        return false;
      }
    }
  }

  bool ReadObject(JsonValue* value, int depth) {
    value->kind = JsonValue::kObject;
    ++at_;
    SkipSpace();
    if (Peek() == '}') {
      ++at_;
      return true;
    }
    std::set<std::string> names;
    for (;;) {
      if (Peek() != '"') {
        Problem(Peek() == '}'
                    ? "a trailing comma before '}'"
                    : "expected a member name in quotes, found " + Describe());
        return false;
      }
      size_t start = at_;
      std::string name;
      if (!ReadString(&name))
        return false;
      if (!names.insert(name).second)
        ProblemAt(start, "the member \"" + name + "\" twice in one object");
      int line, column;
      Position(start, &line, &column);
      SkipSpace();
      if (Peek() != ':') {
        Problem("expected ':' after a member name, found " + Describe());
        return false;
      }
      ++at_;
      SkipSpace();
      value->members.emplace_back(name, JsonValue());
      value->memberLines.push_back(line);
      value->memberColumns.push_back(column);
      if (!ReadValue(&value->members.back().second, depth + 1))
        return false;
      SkipSpace();
      if (Peek() == '}') {
        ++at_;
        return true;
      }
      if (Peek() != ',') {
        Problem("expected ',' or '}' in an object, found " + Describe());
        return false;
      }
      ++at_;
      SkipSpace();
    }
  }

  std::string_view text_;
  std::vector<size_t> lineStarts_;
  size_t at_ = 0;
  std::vector<JsonProblem> problems_;
};

bool IsAbsolute(const std::string& path) {
  if (!path.empty() && (path[0] == '/' || path[0] == '\\'))
    return true;
  return path.size() >= 3 && path[1] == ':' &&
         (path[2] == '/' || path[2] == '\\') &&
         ((path[0] >= 'A' && path[0] <= 'Z') ||
          (path[0] >= 'a' && path[0] <= 'z'));
}

void CheckEntry(const JsonValue& entry,
                size_t index,
                std::vector<JsonProblem>* problems) {
  const std::string which = "entry " + std::to_string(index + 1);
  auto problem = [&](int line, int column, const std::string& message) {
    problems->push_back(JsonProblem{line, column, which + ": " + message});
  };
  if (entry.kind != JsonValue::kObject) {
    problem(entry.line, entry.column,
            std::string("is ") + KindName(entry.kind) + ", not an object");
    return;
  }
  bool directory = false, file = false, command = false, arguments = false;
  for (size_t i = 0; i < entry.members.size(); ++i) {
    const std::string& name = entry.members[i].first;
    const JsonValue& value = entry.members[i].second;
    int line = entry.memberLines[i];
    int column = entry.memberColumns[i];
    bool isString = value.kind == JsonValue::kString;
    if (name == "directory" || name == "file" || name == "command" ||
        name == "output") {
      if (!isString) {
        problem(
            line, column,
            "\"" + name + "\" is " + KindName(value.kind) + ", not a string");
        continue;
      }
      if (value.text.empty() && name != "output") {
        problem(line, column, "\"" + name + "\" is empty");
      } else if (value.text.find('\0') != std::string::npos) {
        problem(line, column, "\"" + name + "\" holds a NUL character");
      }
      if (name == "directory") {
        directory = true;
        if (!value.text.empty() && !IsAbsolute(value.text))
          problem(line, column, "\"directory\" is not an absolute path");
      }
      file = file || name == "file";
      command = command || name == "command";
    } else if (name == "arguments") {
      arguments = true;
      if (value.kind != JsonValue::kArray) {
        problem(line, column,
                std::string("\"arguments\" is ") + KindName(value.kind) +
                    ", not an array");
        continue;
      }
      if (value.items.empty())
        problem(line, column, "\"arguments\" is empty");
      for (const JsonValue& item : value.items) {
        if (item.kind != JsonValue::kString) {
          problem(item.line, item.column,
                  std::string("an argument is ") + KindName(item.kind) +
                      ", not a string");
        }
      }
    } else {
      problem(line, column, "unknown member \"" + name + "\"");
    }
  }
  if (!directory)
    problem(entry.line, entry.column, "no \"directory\"");
  if (!file)
    problem(entry.line, entry.column, "no \"file\"");
  if (!command && !arguments)
    problem(entry.line, entry.column, "neither \"command\" nor \"arguments\"");
}

}  // namespace

std::vector<JsonProblem> CheckJsonText(std::string_view text) {
  JsonReader reader(text);
  JsonValue value;
  reader.Read(&value);
  return std::move(reader.problems());
}

std::vector<JsonProblem> CheckCompileDatabase(std::string_view text,
                                              int* entries) {
  JsonReader reader(text);
  JsonValue value;
  bool read = reader.Read(&value);
  std::vector<JsonProblem> problems = std::move(reader.problems());
  if (entries)
    *entries = 0;
  if (!read)
    return problems;
  if (value.kind != JsonValue::kArray) {
    problems.push_back(JsonProblem{value.line, value.column,
                                   std::string("the database is ") +
                                       KindName(value.kind) +
                                       ", not an array"});
    return problems;
  }
  for (size_t i = 0; i < value.items.size(); ++i)
    CheckEntry(value.items[i], i, &problems);
  if (entries)
    *entries = static_cast<int>(value.items.size());
  return problems;
}

std::string FormatJsonProblem(const JsonProblem& problem) {
  return std::to_string(problem.line) + ":" + std::to_string(problem.column) +
         ": " + problem.message;
}
