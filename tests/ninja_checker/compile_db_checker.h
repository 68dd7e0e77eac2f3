#ifndef QEV_TESTS_NINJA_CHECKER_COMPILE_DB_CHECKER_H_
#define QEV_TESTS_NINJA_CHECKER_COMPILE_DB_CHECKER_H_

#include <string>
#include <string_view>
#include <vector>

// A strict reader of JSON (RFC 8259) and of clang's compilation database.

struct JsonProblem {
  int line = 0;
  int column = 0;  // in bytes, from 1
  std::string message;
};

// The problems of `text` as a JSON text: UTF-8 only (no byte order mark),
// one value, no trailing commas, numbers and literals as the grammar has
// them, strings without control characters, with known escapes and
// surrogate pairs that pair, and no name twice in one object. Reading stops
// at the first syntax error.
std::vector<JsonProblem> CheckJsonText(std::string_view text);

// CheckJsonText, then the shape of a compilation database: an array of
// objects, each with a string "directory" (absolute), a string "file", a
// string "command" or an array of strings "arguments" (not empty), an
// optional string "output", and no other member (clang refuses unknown
// ones). `entries`, when given, receives the number of objects.
std::vector<JsonProblem> CheckCompileDatabase(std::string_view text,
                                              int* entries = nullptr);

// "line:column: message".
std::string FormatJsonProblem(const JsonProblem& problem);

#endif  // QEV_TESTS_NINJA_CHECKER_COMPILE_DB_CHECKER_H_
