#include "bytewrap/array_writer.h"

#include <cstring>

#include "bytewrap/names.h"

namespace {

constexpr size_t kValuesPerLine = 32;
constexpr char kLineBreak[] = "\r\n  ";  // Ends a line, indents the next.
constexpr size_t kLineBreakSize = sizeof(kLineBreak) - 1;

// "0xHH," for every byte value, padded to 8 bytes so that a value is copied
// with one fixed-size store; the padding is overwritten by what follows.
struct HexTable {
  char entry[256][8];
};

constexpr HexTable MakeHexTable() {
  constexpr char kDigits[] = "0123456789ABCDEF";
  HexTable table{};
  for (int value = 0; value < 256; ++value) {
    char* e = table.entry[value];
    e[0] = '0';
    e[1] = 'x';
    e[2] = kDigits[value >> 4];
    e[3] = kDigits[value & 15];
    e[4] = ',';
  }
  return table;
}

constexpr HexTable kHex = MakeHexTable();
constexpr size_t kValueSize = 4;  // "0xHH"
constexpr size_t kSlack = sizeof(kHex.entry[0]) - kValueSize;

}  // namespace

std::string HeaderText(const OutputNames& names, uint64_t size) {
  return "#ifndef " + names.guardMacro + "\r\n" + "#define " +
         names.guardMacro + "\r\n" +
         "\r\n"
         "extern unsigned char " +
         names.arrayName + "[" + std::to_string(size) + "];\r\n" +
         "\r\n"
         "#endif\r\n";
}

std::string SourcePrologue(const OutputNames& names, uint64_t size) {
  return "#include \"" + names.headerFile + "\"\r\n" +
         "\r\n"
         "unsigned char " +
         names.arrayName + "[" + std::to_string(size) + "] = {\r\n" + "  ";
}

std::string SourceEpilogue() {
  return "\r\n};\r\n";
}

size_t FormattedCapacity(size_t count) {
  // Each value with its comma, a break per line begun, and the slack.
  return count * (kValueSize + 1) +
         (count / kValuesPerLine + 1) * kLineBreakSize + kSlack;
}

char* FormatByteLines(const unsigned char* bytes,
                      size_t count,
                      uint64_t first_index,
                      uint64_t total,
                      char* out) {
  uint64_t index = first_index;
  const unsigned char* end = bytes + count;
  while (bytes < end) {
    size_t left_on_line = kValuesPerLine - index % kValuesPerLine;
    size_t run = static_cast<size_t>(end - bytes);
    if (run > left_on_line)
      run = left_on_line;
    bool ends_input = index + run == total;
    size_t with_comma = ends_input ? run - 1 : run;
    for (size_t i = 0; i < with_comma; ++i) {
      std::memcpy(out, kHex.entry[bytes[i]], sizeof(kHex.entry[0]));
      out += kValueSize + 1;
    }
    if (ends_input) {
      std::memcpy(out, kHex.entry[bytes[with_comma]], sizeof(kHex.entry[0]));
      out += kValueSize;
    }
    bytes += run;
    index += run;
    if (index % kValuesPerLine == 0) {
      std::memcpy(out, kLineBreak, kLineBreakSize);
      out += kLineBreakSize;
    }
  }
  return out;
}
