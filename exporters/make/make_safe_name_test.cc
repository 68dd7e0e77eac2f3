#include "exporters/make/make_safe_name.h"

#include <gtest/gtest.h>

TEST(MakeSafeNameTest, OrdinaryAndUtf8NamesPass) {
  for (const char* path :
       {"src/a.cpp", "../lib/x_y-z+1,2@3.c", "Weiß/Ärger.cpp", "./b.C"})
    EXPECT_EQ(MakeUnsafeReason(path), "") << path;
}

TEST(MakeSafeNameTest, AnythingMakeOrTheShellReadsIsRefused) {
  EXPECT_EQ(MakeUnsafeReason("x$(shell touch PWNED).cpp"), "it holds \"$\"");
  EXPECT_EQ(MakeUnsafeReason("two words.cpp"), "it holds a space");
  EXPECT_EQ(MakeUnsafeReason("line\nbreak.c"), "it holds a line break");
  EXPECT_EQ(MakeUnsafeReason("tab\t.c"), "it holds a control character");
  for (const char* path :
       {"a#b.c", "a%b.c", "a:b.c", "a;b.c", "a=b.c", "a\\b.c", "a\"b.c",
        "a'b.c", "a`b.c", "a*b.c", "a(b).c", "a|b.c", "a&b.c", "a<b.c", "~a.c"})
    EXPECT_NE(MakeUnsafeReason(path), "") << path;
}

TEST(MakeSafeNameTest, AuthorsMayUseMakeVariablesButNoShellSyntax) {
  for (const char* text :
       {"$(SDK)/include", "${ROOT}/lib", "bin/$(CONFIG)", "plain/path"})
    EXPECT_EQ(MakeUnsafeAuthorReason(text), "") << text;
  EXPECT_EQ(MakeUnsafeAuthorReason("libx;touch PWNED;y"), "it holds \";\"");
  EXPECT_EQ(MakeUnsafeAuthorReason("my dir"), "it holds a space");
  EXPECT_EQ(MakeUnsafeAuthorReason("$(shell touch x)"), "it holds \"$\"");
  EXPECT_EQ(MakeUnsafeAuthorReason("$()"), "it holds \"$\"");
  EXPECT_EQ(MakeUnsafeAuthorReason("a$$b"), "");
}
