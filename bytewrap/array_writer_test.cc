#include "bytewrap/array_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bytewrap/names.h"

namespace {

// Formats bytes 0, 1, 2, ... in pieces of `piece` bytes, checking that each
// piece stays within the capacity it was given.
std::string Format(size_t total, size_t piece) {
  std::vector<unsigned char> bytes(total);
  for (size_t i = 0; i < total; ++i)
    bytes[i] = static_cast<unsigned char>(i * 7);
  std::string text;
  for (size_t at = 0; at < total; at += piece) {
    size_t count = std::min(piece, total - at);
    std::vector<char> out(FormattedCapacity(count));
    char* end =
        FormatByteLines(bytes.data() + at, count, at, total, out.data());
    EXPECT_LE(static_cast<size_t>(end - out.data()), out.size());
    text.append(out.data(), end);
  }
  return text;
}

TEST(FormatByteLinesTest, ValuesCommasAndLineBreaks) {
  EXPECT_EQ("0x00", Format(1, 1));
  EXPECT_EQ("0x00,0x07,0x0E,0x15", Format(4, 4));
  std::string two_lines = Format(64, 64);
  // 32 values with 31 commas, a comma before the break as more follows, and
  // after the last value no comma but a break of its own.
  EXPECT_EQ(32 * 4 + 31, two_lines.find(",\r\n  "));
  EXPECT_EQ("0xB9\r\n  ", two_lines.substr(two_lines.size() - 8));
  EXPECT_EQ(64 * 4 + 63 + 2 * 4, two_lines.size());
}

TEST(FormatByteLinesTest, PiecesGiveTheSameTextAsOneCall) {
  for (size_t total : {96, 1000}) {
    std::string whole = Format(total, total);
    for (size_t piece : {1, 5, 31, 32, 33, 95})
      EXPECT_EQ(whole, Format(total, piece)) << total << " by " << piece;
  }
}

TEST(FileTextTest, SizesArePrintedInFull) {
  OutputNames names;
  ASSERT_TRUE(DeriveNames("logo.png", &names));
  EXPECT_NE(std::string::npos,
            HeaderText(names, 5000000000ULL).find("g_logo[5000000000];\r\n"));
  EXPECT_NE(std::string::npos,
            SourcePrologue(names, 5000000000ULL).find("[5000000000] = {"));
}

}  // namespace
