#ifndef QEV_BASE_UTF8_H_
#define QEV_BASE_UTF8_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 as RFC 3629 has it: no overlong forms, no surrogates, nothing above
// U+10FFFF. Descriptions and file names are narrow text that is mostly, but
// not always, UTF-8.

// The length of the sequence that starts `text` when it is valid UTF-8 of
// two to four bytes (ASCII bytes are not sequences here), with its code
// point in `*code`; 0 otherwise.
size_t Utf8SequenceLength(std::string_view text, uint32_t* code);

// True when all of `text` is valid UTF-8.
bool IsValidUtf8(std::string_view text);

// Appends the UTF-8 form of the code point `code`.
void AppendUtf8(uint32_t code, std::string* out);

#endif  // QEV_BASE_UTF8_H_
