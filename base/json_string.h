#ifndef QEV_BASE_JSON_STRING_H_
#define QEV_BASE_JSON_STRING_H_

#include <string>
#include <string_view>

// A JSON string literal of `text`, quotes included: '"' and '\' escaped,
// control characters as \u00XX; every other byte as it is, so `text` must
// be UTF-8 for the result to be JSON (RFC 8259).
std::string JsonString(std::string_view text);
void AppendJsonString(std::string* out, std::string_view text);

#endif  // QEV_BASE_JSON_STRING_H_
