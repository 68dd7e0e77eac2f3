#include "exporters/ninja/ninja_escape.h"

#include <gtest/gtest.h>

#include "exporters/ninja/build_paths.h"

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

TEST(NinjaEscapeTest, JsonStringsEscapeQuotesBackslashesAndControls) {
  EXPECT_EQ(JsonString("a\"b\\c\td\x01"), "\"a\\\"b\\\\c\\u0009d\\u0001\"");
  EXPECT_EQ(JsonString("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
}

TEST(NinjaEscapeTest, MakeDollarsCollapse) {
  EXPECT_EQ(UnescapeMake("'$$ORIGIN' $$$$ $(X) $"), "'$ORIGIN' $$ $(X) $");
}

TEST(BuildPathsTest, CanonicalPathsMatchNinjas) {
  EXPECT_EQ(CanonicalBuildPath("./src//a/./b.c"), "src/a/b.c");
  EXPECT_EQ(CanonicalBuildPath("../x/../../y"), "../../y");
  EXPECT_EQ(CanonicalBuildPath("a/b/../../.."), "..");
  EXPECT_EQ(CanonicalBuildPath("a/.."), ".");
  EXPECT_EQ(CanonicalBuildPath("/a/../../b"), "/b");
  EXPECT_EQ(CanonicalBuildPath(""), ".");
  EXPECT_EQ(JoinBuildPath("ext/build/", "../src/t.c"), "ext/src/t.c");
  EXPECT_EQ(JoinBuildPath("ext", "/abs/t.c"), "/abs/t.c");
  EXPECT_EQ(JoinBuildPath("", "./t.c"), "t.c");
}

TEST(BuildPathsTest, RelativePathsBetweenDirectories) {
  EXPECT_EQ(RelativeBuildPath("/b/bin", "/b/bin"), ".");
  EXPECT_EQ(RelativeBuildPath("/b/bin", "/b/bin/lib"), "lib");
  EXPECT_EQ(RelativeBuildPath("/b/bin/Debug", "/b/lib"), "../../lib");
  EXPECT_EQ(RelativeBuildPath("/", "/x"), "x");
  EXPECT_EQ(DirectoryOf("a/b/c.so"), "a/b");
  EXPECT_EQ(DirectoryOf("c.so"), ".");
  EXPECT_EQ(FileNameOf("a/b/c.so"), "c.so");
}
