#ifndef QEV_EXPORTERS_MAKE_MAKE_FORMAT_H_
#define QEV_EXPORTERS_MAKE_MAKE_FORMAT_H_

#include <initializer_list>
#include <string>
#include <string_view>

// Appends `pattern` to `out` with every "%s" replaced by the next of `args`
// and every "%c" by make's pattern character '%'. The make files are written
// from fixed patterns like these; keeping them whole keeps every byte of the
// output visible in one place. Any other character is copied as it stands.
void AppendFormat(std::string* out,
                  std::string_view pattern,
                  std::initializer_list<std::string_view> args = {});

#endif  // QEV_EXPORTERS_MAKE_MAKE_FORMAT_H_
