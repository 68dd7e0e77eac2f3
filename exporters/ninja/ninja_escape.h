#ifndef QEV_EXPORTERS_NINJA_NINJA_ESCAPE_H_
#define QEV_EXPORTERS_NINJA_NINJA_ESCAPE_H_

#include <string>
#include <string_view>

// Text as ninja reads it back: in a path of a build line "$", " ", ":" and
// line breaks are escaped; a line break cannot be written, so it becomes a
// space.
std::string EscapeNinjaPath(std::string_view path);

// EscapeNinjaPath appended to `out`.
void AppendNinjaPath(std::string* out, std::string_view path);

// Text for the value of a ninja variable: "$" is doubled and line breaks
// become spaces.
std::string EscapeNinjaValue(std::string_view value);

// One shell word, quoted exactly as ninja quotes the paths of $in and $out:
// unchanged when it holds only letters, digits and "_+-./", otherwise in
// single quotes.
std::string ShellQuote(std::string_view word);

// ShellQuote appended to `out`.
void AppendShellQuoted(std::string* out, std::string_view word);

// Empty when ninja can carry `path` in a build line and
// compile_commands.json as JSON; otherwise why not: "|" ends a path in a
// build line whatever is done to it, line breaks and other control
// characters cannot be written there, and JSON needs UTF-8 ("it holds
// \"|\"", "it holds a line break", "it holds a control character", "it is
// not UTF-8").
std::string NinjaPathProblem(std::string_view path);

// True when `path`, as a word of a command, would be read as an option or a
// response file ("-x.c", "@x.c"): it must be written with "./" in front.
inline bool NeedsDotSlash(std::string_view path) {
  return !path.empty() && (path[0] == '-' || path[0] == '@');
}

// What make's reading leaves of a text that it passes to the shell: "$$"
// becomes "$". Other "$" references are make variables that the ninja
// output has no value for; they are left as written.
std::string UnescapeMake(std::string_view text);

#endif  // QEV_EXPORTERS_NINJA_NINJA_ESCAPE_H_
