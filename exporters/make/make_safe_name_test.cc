#include "exporters/make/make_safe_name.h"

#include <gtest/gtest.h>

TEST(MakeSafeNameTest, OrdinaryAndUtf8NamesPass) {
  for (const char* path :
       {"src/a.cpp", "../lib/x_y-z+1,2@3.c", "Weiß/Ärger.cpp", "./b.C"})
    EXPECT_EQ(MakeUnsafeReason(path), "") << path;
}

TEST(MakeSafeNameTest, AnythingMakeOrTheShellReadsIsRefused) {
  EXPECT_EQ(MakeUnsafeReason("x$(shell touch PWNED).cpp"),
            "it holds \"$\"");
  EXPECT_EQ(MakeUnsafeReason("two words.cpp"), "it holds a space");
  EXPECT_EQ(MakeUnsafeReason("line\nbreak.c"), "it holds a line break");
  EXPECT_EQ(MakeUnsafeReason("tab\t.c"), "it holds a control character");
  for (const char* path : {"a#b.c", "a%b.c", "a:b.c", "a;b.c", "a=b.c",
                           "a\\b.c", "a\"b.c", "a'b.c", "a`b.c", "a*b.c",
                           "a(b).c", "a|b.c", "a&b.c", "a<b.c", "~a.c"})
    EXPECT_NE(MakeUnsafeReason(path), "") << path;
}
