#ifndef QEV_EXPORTERS_MAKE_MAKE_SAFE_NAME_H_
#define QEV_EXPORTERS_MAKE_MAKE_SAFE_NAME_H_

#include <string>
#include <string_view>

// File names come from the disk, often from archives nobody reviewed, and
// the make output pastes them into variables, rules and, through the
// platform file's recipes, unquoted shell commands. A name is written only
// when every byte is one that neither make nor the shell reads as syntax:
// ASCII letters and digits, "_", "-", ".", "/", "+", ",", "@", and bytes
// from 0x80 up (UTF-8 names). Anything else (white space, control
// characters, "$", "#", "%", ":", ";", "=", "\", quotes, "*", "?", "[",
// "]", "(", ")", "{", "}", "<", ">", "|", "&", "!", "~", "`", "^") keeps
// the file out of the make output.

// Empty when `path` is safe to write; otherwise why not, for a warning
// ("it holds a space", "it holds \"$\"").
std::string MakeUnsafeReason(std::string_view path);

// The same for a name or path the author wrote (an output file or
// directory, a search path, a library): make variable references
// ("$(SDK)", "${ROOT}") and "$$" are the author's make and may stand.
std::string MakeUnsafeAuthorReason(std::string_view text);

// A word another program gave (pkg-config's flags) as make writes it into a
// variable that reaches shell commands: as it is when every byte is safe
// (or "="), else in single quotes; "$" doubled and "#" escaped for make.
std::string MakeShellWord(std::string_view word);

#endif  // QEV_EXPORTERS_MAKE_MAKE_SAFE_NAME_H_
