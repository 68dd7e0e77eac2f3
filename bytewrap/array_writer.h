#ifndef QEV_BYTEWRAP_ARRAY_WRITER_H_
#define QEV_BYTEWRAP_ARRAY_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <string>

struct OutputNames;

// The texts of the two generated files. Lines end in "\r\n" whatever the
// platform, so the files must be written in binary mode.

// The whole header, declaring the array of `size` bytes.
std::string HeaderText(const OutputNames& names, uint64_t size);

// The source up to its first byte value: the include line, the array's
// definition line and the indent of the first byte line.
std::string SourcePrologue(const OutputNames& names, uint64_t size);

// What follows the last byte line of the source.
std::string SourceEpilogue();

// Upper bound of what FormatByteLines writes for `count` bytes, including the
// few bytes of slack it may scribble past its result.
size_t FormattedCapacity(size_t count);

// Formats `count` bytes that sit at `first_index` of an input of `total`
// bytes as byte lines: "0xHH" values separated by ',' and, after every 32nd
// value, "\r\n" and the next line's indent of two blanks. The input's last
// value gets no comma. Formatting an input in consecutive pieces gives the
// same text as formatting it at once. `out` must hold
// FormattedCapacity(count) bytes; returns the end of the text written.
char* FormatByteLines(const unsigned char* bytes,
                      size_t count,
                      uint64_t first_index,
                      uint64_t total,
                      char* out);

#endif  // QEV_BYTEWRAP_ARRAY_WRITER_H_
