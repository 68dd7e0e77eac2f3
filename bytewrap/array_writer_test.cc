#include "bytewrap/array_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bytewrap/names.h"

namespace {

// Formats `bytes` in pieces of `piece` bytes, checking each piece stays
// within the capacity it was given.
std::string Format(const std::vector<unsigned char>& bytes, size_t piece) {
  std::string text;
  for (size_t at = 0; at < bytes.size(); at += piece) {
    size_t count = std::min(piece, bytes.size() - at);
    std::vector<char> out(FormattedCapacity(count));
    char* end =
        FormatByteLines(bytes.data() + at, count, at, bytes.size(), out.data());
    EXPECT_LE(static_cast<size_t>(end - out.data()), out.size());
    text.append(out.data(), end);
  }
  return text;
}

std::string Values(unsigned char first, size_t count, bool last_comma) {
  std::string text;
  const char* digits = "0123456789ABCDEF";
  for (size_t i = 0; i < count; ++i) {
    unsigned char v = static_cast<unsigned char>(first + i);
    text += std::string("0x") + digits[v >> 4] + digits[v & 15];
    if (i + 1 < count || last_comma)
      text += ",";
  }
  return text;
}

std::vector<unsigned char> Sequence(size_t count) {
  std::vector<unsigned char> bytes(count);
  for (size_t i = 0; i < count; ++i)
    bytes[i] = static_cast<unsigned char>(i);
  return bytes;
}

TEST(FormatByteLinesTest, LineLayoutAtTheLineBoundary) {
  EXPECT_EQ("0x00", Format(Sequence(1), 1));
  EXPECT_EQ(Values(0, 31, false), Format(Sequence(31), 1024));
  // A full last line ends with a break and an indent of its own.
  EXPECT_EQ(Values(0, 32, false) + "\r\n  ", Format(Sequence(32), 1024));
  EXPECT_EQ(Values(0, 32, true) + "\r\n  0x20", Format(Sequence(33), 1024));
  EXPECT_EQ(Values(0, 32, true) + "\r\n  " + Values(32, 32, false) + "\r\n  ",
            Format(Sequence(64), 1024));
}

TEST(FormatByteLinesTest, EveryByteValueIsTwoUpperCaseDigits) {
  std::vector<unsigned char> bytes = {0x00, 0x0A, 0x7F, 0x80, 0xFF};
  EXPECT_EQ("0x00,0x0A,0x7F,0x80,0xFF", Format(bytes, 1024));
  std::string all = Format(Sequence(256), 1024);
  EXPECT_NE(std::string::npos, all.find("0xAB,0xAC"));
  EXPECT_EQ("0xFF\r\n  ", all.substr(all.size() - 8));
}

TEST(FormatByteLinesTest, PiecesGiveTheSameTextAsOneCall) {
  std::vector<unsigned char> bytes = Sequence(1000);
  std::string whole = Format(bytes, bytes.size());
  for (size_t piece : {1, 7, 31, 32, 33, 64, 999})
    EXPECT_EQ(whole, Format(bytes, piece)) << "piece " << piece;
  std::vector<unsigned char> lines = Sequence(96);
  std::string three_lines = Format(lines, lines.size());
  for (size_t piece : {1, 5, 32, 95})
    EXPECT_EQ(three_lines, Format(lines, piece)) << "piece " << piece;
}

TEST(FileTextTest, HeaderAndSourceFrame) {
  OutputNames names;
  ASSERT_TRUE(DeriveNames("data/logo.png", &names));
  EXPECT_EQ(
      "#ifndef LOGO_H\r\n#define LOGO_H\r\n\r\n"
      "extern unsigned char g_logo[5000000000];\r\n\r\n#endif\r\n",
      HeaderText(names, 5000000000ULL));
  EXPECT_EQ(
      "#include \"logo.h\"\r\n\r\n"
      "unsigned char g_logo[33] = {\r\n  ",
      SourcePrologue(names, 33));
  EXPECT_EQ("\r\n};\r\n", SourceEpilogue());
}

}  // namespace
