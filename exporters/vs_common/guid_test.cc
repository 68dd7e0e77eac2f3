#include "exporters/vs_common/guid.h"

#include <climits>

#include <gtest/gtest.h>

TEST(MakeGuidTest, KnownNames) {
  EXPECT_EQ("2604C15E-134C-20F7-5A4A-CA8611660D26", MakeGuid("abc"));
  EXPECT_EQ("00000000-0000-0000-0000-000000000000", MakeGuid(""));
  EXPECT_EQ("61010000-0000-0000-9B65-000000000E66", MakeGuid("a"));
  EXPECT_EQ("8907DDBF-B925-2F4C-0BB8-A87214710F78", MakeGuid("Core"));
  EXPECT_EQ("A908D85C-3C48-E7A0-F4BD-3F20FED0C3AA", MakeGuid("core"));
  EXPECT_EQ("1C411AF2-6D54-4224-91B0-AC941F446D00", MakeGuid("Hello World"));
}

TEST(MakeGuidTest, BytesAboveAsciiCountAsNegative) {
  EXPECT_EQ("80010000-0000-0000-3D80-00000000ED00", MakeGuid("\x80"));
  EXPECT_EQ("AB57E97D-2FD1-19A8-F879-99575C57A25E", MakeGuid("\xE9\xC3\xFF"));
}

TEST(MakeGuidTest, StopsAtNul) {
  EXPECT_EQ(MakeGuid("abc"), MakeGuid(std::string("abc\0def", 7)));
}

TEST(MakeGuidTest, SumReachingMinimumDividedByMinusOne) {
  // 16777215 bytes of -128, one of -127 and one of -1 bring the sum to
  // exactly -2^31 at the last byte, whose division by -1 overflows.
  std::string name(16777215, '\x80');  // NOLINT(bugprone-string-constructor)
  name += '\x81';
  name += '\xFF';
  EXPECT_EQ("0008F9C8-DE88-D5F8-0000-F610CAF40000", MakeGuid(name));
  name += 'z';
  EXPECT_EQ("7AF5818A-FD84-EA0D-06AA-03FC87D3A72E", MakeGuid(name));
}

TEST(DivideWrappingTest, TruncatesTowardZeroAndWraps) {
  int32_t quotient;
  int32_t remainder;
  DivideWrapping(INT32_MIN, -1, &quotient, &remainder);
  EXPECT_EQ(INT32_MIN, quotient);
  EXPECT_EQ(0, remainder);
  DivideWrapping(-7, 2, &quotient, &remainder);
  EXPECT_EQ(-3, quotient);
  EXPECT_EQ(-1, remainder);
  DivideWrapping(7, -2, &quotient, &remainder);
  EXPECT_EQ(-3, quotient);
  EXPECT_EQ(1, remainder);
  DivideWrapping(INT32_MIN, 1, &quotient, &remainder);
  EXPECT_EQ(INT32_MIN, quotient);
  EXPECT_EQ(0, remainder);
}
