#include "exporters/ninja/ninja_escape.h"

#include <gtest/gtest.h>

TEST(NinjaEscapeTest, PathsAndValuesKeepTheirMeaning) {
  EXPECT_EQ(EscapeNinjaPath("a b:c$d"), "a$ b$:c$$d");
  EXPECT_EQ(EscapeNinjaPath("line\nbreak"), "line$ break");
  EXPECT_EQ(EscapeNinjaValue("-Wl,-rpath,'$ORIGIN' a:b c"),
            "-Wl,-rpath,'$$ORIGIN' a:b c");
  EXPECT_EQ(EscapeNinjaValue("one\ntwo\r"), "one two ");
}

TEST(NinjaEscapeTest, ShellWordsAreQuotedLikeNinjaQuotesPaths) {
  EXPECT_EQ(ShellQuote("obj/a_b+c-d.o"), "obj/a_b+c-d.o");
  EXPECT_EQ(ShellQuote("a b"), "'a b'");
  EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
  EXPECT_EQ(ShellQuote("$HOME"), "'$HOME'");
  EXPECT_EQ(ShellQuote(""), "''");
}

TEST(NinjaEscapeTest, MakeDollarsCollapse) {
  EXPECT_EQ(UnescapeMake("'$$ORIGIN' $$$$ $(X) $"), "'$ORIGIN' $$ $(X) $");
}
