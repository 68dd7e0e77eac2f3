#include "model/split_items.h"

#include <gtest/gtest.h>

using Items = std::vector<std::string>;

TEST(SplitItemsTest, SplitsAtAnyWhiteSpace) {
  EXPECT_EQ(SplitItems("a.cpp  b.cpp\tc.cpp\n\r\v\fd.cpp"),
            (Items{"a.cpp", "b.cpp", "c.cpp", "d.cpp"}));
  EXPECT_EQ(SplitItems("  lead trail  "), (Items{"lead", "trail"}));
  EXPECT_EQ(SplitItems(""), Items{});
  EXPECT_EQ(SplitItems(" \t "), Items{});
}

TEST(SplitItemsTest, QuotedItemsKeepBlanksAndDropWhatFollowsTheQuote) {
  EXPECT_EQ(SplitItems("\"My Documents/a.cpp\" b.cpp"),
            (Items{"My Documents/a.cpp", "b.cpp"}));
  // Text glued to a closing quote is dropped with it.
  EXPECT_EQ(SplitItems("\"a b\"tail next"), (Items{"a b", "next"}));
  // An empty pair of quotes is no item.
  EXPECT_EQ(SplitItems("\"\" x"), (Items{"x"}));
  // An unterminated quote runs to the end.
  EXPECT_EQ(SplitItems("x \"open to end"), (Items{"x", "open to end"}));
}

TEST(SplitItemsTest, QuoteInsideAnItemIsAnOrdinaryCharacter) {
  EXPECT_EQ(SplitItems("-DNAME=\"x\" y"), (Items{"-DNAME=\"x\"", "y"}));
}

TEST(SplitItemsTest, ItemsHaveNoLengthLimit) {
  std::string long_item(5000, 'a');
  EXPECT_EQ(SplitItems(long_item + " b"), (Items{long_item, "b"}));
}
