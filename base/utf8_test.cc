#include "base/utf8.h"

#include <gtest/gtest.h>

#include "base/json_string.h"

namespace {

TEST(Utf8Test, ValidOnlyAsRfc3629Has) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"));
  // Latin-1, truncated, overlong, surrogate and too large sequences.
  for (const char* bad : {"caf\xe9", "\xc3", "\xc0\xaf", "\xe0\x80\xaf",
                          "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xff"})
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
  std::string out;
  AppendUtf8(0x1F600, &out);
  AppendUtf8(0xE9, &out);
  EXPECT_EQ(out, "\xf0\x9f\x98\x80\xc3\xa9");
}

TEST(JsonStringTest, EscapesQuotesBackslashesAndControls) {
  EXPECT_EQ(JsonString("a\"b\\c\td\x01"), "\"a\\\"b\\\\c\\u0009d\\u0001\"");
  EXPECT_EQ(JsonString("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
}

}  // namespace
