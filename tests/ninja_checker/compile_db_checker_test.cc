// The strict JSON reader accepts what RFC 8259 allows and nothing else, and
// the compilation database check holds clang's shape.

#include "tests/ninja_checker/compile_db_checker.h"

#include <gtest/gtest.h>

namespace {

std::string Joined(const std::vector<JsonProblem>& problems) {
  std::string text;
  for (const JsonProblem& problem : problems)
    text += FormatJsonProblem(problem) + "\n";
  return text;
}

TEST(CompileDbCheckerTest, AcceptsBothFormsOfEntries) {
  const char* text =
      "[\n"
      "  {\"directory\": \"/w/b\\u00fcild\", \"command\": \"cc -DX=\\\"a b\\\" "
      "-c 'sp ace.c'\", \"file\": \"sp ace.c\", \"output\": \"o/a.o\"},\n"
      "  {\"arguments\": [\"c++\", \"-c\", \"\\ud83d\\ude00.cc\", \"\\t\"],\n"
      "   \"file\": \"\xf0\x9f\x98\x80.cc\", \"directory\": \"C:/w\"}\r\n"
      "]\n";
  int entries = 0;
  EXPECT_EQ("", Joined(CheckCompileDatabase(text, &entries)));
  EXPECT_EQ(2, entries);
  EXPECT_EQ("", Joined(CheckCompileDatabase(" [ ] ", &entries)));
  EXPECT_EQ(0, entries);
  EXPECT_EQ("", Joined(CheckJsonText("{\"a\": [-0.5e+3, 10, true, false, "
                                     "null, {}, \"\\/\\b\\f\\n\\r\"]}")));
}

TEST(CompileDbCheckerTest, RejectsWhatRfc8259DoesNotAllow) {
  struct Case {
    std::string text;
    const char* problem;
  };
  const Case cases[] = {
      {"[1,]", "1:4: a trailing comma before ']'"},
      {"{\"a\": 1,\n }", "2:2: a trailing comma before '}'"},
      {"[\"a\tb\"]", "1:4: a control character (byte 0x09)"},
      {"[\"a\nb\"]", "1:4: a control character (byte 0x0A)"},
      {"[\"\\x41\"]", "1:4: an unknown escape \\x"},
      {"[\"\\'\"]", "an unknown escape \\'"},
      {"[\"\\u12G4\"]", "expected four hexadecimal digits"},
      {"[\"\\ud800\"]", "1:3: a high surrogate escape without a low one"},
      {"[\"\\ud800\\u0041\"]", "a high surrogate escape without a low one"},
      {"[\"\\udc00\"]", "1:3: a low surrogate escape without a high one"},
      {"[\"\xff\"]", "1:3: bytes that are not UTF-8 (byte 0xFF)"},
      {"[\"caf\xe9\"]", "bytes that are not UTF-8"},           // Windows-1252
      {"[\"\xc0\xaf\"]", "bytes that are not UTF-8"},          // overlong "/"
      {"[\"\xed\xa0\x80\"]", "bytes that are not UTF-8"},      // a surrogate
      {"[\"\xf4\x90\x80\x80\"]", "bytes that are not UTF-8"},  // > U+10FFFF
      {"[\"\xe2\x82\"]", "bytes that are not UTF-8"},          // cut short
      {"\xef\xbb\xbf[]", "1:1: a byte order mark"},
      {"[01]", "a number with a leading zero"},
      {"[1.]", "expected digits after '.'"},
      {"[.5]", "expected a value, found '.'"},
      {"[1e]", "expected digits in the exponent"},
      {"[+1]", "expected a value, found '+'"},
      {"[NaN]", "expected a value, found 'N'"},
      {"[tru]", "expected true"},
      {"['a']", "expected a value, found '''"},
      {"[] []", "1:4: text after the JSON value"},
      {"[] // note", "text after the JSON value"},
      {"{a: 1}", "expected a member name in quotes, found 'a'"},
      {"{\"a\" 1}", "expected ':' after a member name"},
      {"{\"a\": 1 \"b\": 2}", "expected ',' or '}' in an object"},
      {"[1 2]", "expected ',' or ']' in an array"},
      {"[\"open", "a string without its closing quote"},
      {"", "expected a value, found the end of the text"},
      {std::string(300, '[') + std::string(300, ']'), "nested too deeply"},
      {"{\"a\": 1, \"a\": 2}", "1:10: the member \"a\" twice in one object"},
  };
  for (const Case& item : cases) {
    std::string problems = Joined(CheckJsonText(item.text));
    EXPECT_NE(std::string::npos, problems.find(item.problem))
        << "text: " << item.text << "\nproblems: " << problems;
  }
}

TEST(CompileDbCheckerTest, RejectsEntriesOfAnotherShape) {
  struct Case {
    const char* text;
    const char* problem;
  };
  const Case cases[] = {
      {"{}", "1:1: the database is an object, not an array"},
      {"[[]]", "1:2: entry 1: is an array, not an object"},
      {"[{\"file\": \"a.c\", \"command\": \"cc a.c\"}]",
       "entry 1: no \"directory\""},
      {"[{\"directory\": \"/w\", \"command\": \"cc a.c\"}]",
       "entry 1: no \"file\""},
      {"[{\"directory\": \"/w\", \"file\": \"a.c\"}]",
       "entry 1: neither \"command\" nor \"arguments\""},
      {"[{\"directory\": \"w\", \"file\": \"a.c\", \"command\": \"cc\"}]",
       "\"directory\" is not an absolute path"},
      {"[{\"directory\": \"/w\", \"file\": \"\", \"command\": \"cc\"}]",
       "\"file\" is empty"},
      {"[{\"directory\": \"/w\", \"file\": \"a.c\", \"command\": [\"cc\"]}]",
       "\"command\" is an array, not a string"},
      {"[{\"directory\": \"/w\", \"file\": \"a.c\", \"arguments\": \"cc\"}]",
       "\"arguments\" is a string, not an array"},
      {"[{\"directory\": \"/w\", \"file\": \"a.c\", \"arguments\": []}]",
       "\"arguments\" is empty"},
      {"[{\"directory\": \"/w\", \"file\": \"a.c\", \"arguments\": [1]}]",
       "an argument is a number, not a string"},
      {"[{\"directory\": \"/w\", \"file\": \"a.c\", \"command\": \"cc\", "
       "\"output\": null}]",
       "\"output\" is null, not a string"},
      {"[{\"directory\": \"/w\", \"file\": \"a\\u0000.c\", \"command\": "
       "\"cc\"}]",
       "\"file\" holds a NUL character"},
      {"[{\"directory\": \"/w\", \"file\": \"a.c\", \"command\": \"cc\"},\n"
       " {\"directory\": \"/w\", \"file\": \"a.c\", \"command\": \"cc\", "
       "\"flags\": \"-O2\"}]",
       "2:54: entry 2: unknown member \"flags\""},
  };
  for (const Case& item : cases) {
    std::string problems = Joined(CheckCompileDatabase(item.text));
    EXPECT_NE(std::string::npos, problems.find(item.problem))
        << "text: " << item.text << "\nproblems: " << problems;
  }
}

}  // namespace
