#include "exporters/vc17/relative_path.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace {

TEST(Vc17RelativePathTest, AbsolutePathsAreNormalised) {
  EXPECT_EQ("/w/src/a.cpp", AbsolutePath("/w", "src/a.cpp"));
  EXPECT_EQ("/w/src/a.cpp", AbsolutePath("/w/build", "../src/./a.cpp"));
  EXPECT_EQ("/w/src", AbsolutePath("/w/", "src\\\\sub\\..\\"));
  EXPECT_EQ("/w", AbsolutePath("/w", ""));
  EXPECT_EQ("/", AbsolutePath("/w", "../../.."));
  EXPECT_EQ("/opt/x", AbsolutePath("/w", "/opt//x/"));
  EXPECT_EQ("C:/x/y", AbsolutePath("/w", "C:\\x\\y"));
  // Paths from a directory with a drive keep its drive.
  EXPECT_EQ("C:/w/src", AbsolutePath("C:/w", "src"));
  EXPECT_EQ("C:/src", AbsolutePath("C:\\w", "..\\src"));
  EXPECT_EQ("C:/opt", AbsolutePath("C:/w", "/opt"));
  EXPECT_EQ("D:/x", AbsolutePath("C:/w", "D:/x"));
}

TEST(Vc17RelativePathTest, RelativePathsLeadFromOneDirectoryToAnother) {
  EXPECT_EQ(".", RelativePath("/w/build", "/w/build"));
  EXPECT_EQ("a.cpp", RelativePath("/w", "/w/a.cpp"));
  EXPECT_EQ("..\\src\\a.cpp", RelativePath("/w/build", "/w/src/a.cpp"));
  EXPECT_EQ("..\\..\\w\\a.cpp", RelativePath("/v/x", "/w/a.cpp"));
  EXPECT_EQ("..", RelativePath("/w/build", "/w"));
  // Components are compared whole: "/w/ab" is not below "/w/a".
  EXPECT_EQ("..\\ab\\c", RelativePath("/w/a", "/w/ab/c"));
  // On one drive in either letter case; another drive is named whole.
  EXPECT_EQ("..\\src", RelativePath("C:/w/build", "c:/w/src"));
  EXPECT_EQ("D:\\src\\a.cpp", RelativePath("C:/w", "D:/src/a.cpp"));
  EXPECT_EQ("..\\src", RebasePath("src", "C:/w", "C:/w/build"));
}

TEST(Vc17RelativePathTest, RebasingKeepsAbsolutePathsAndMacros) {
  EXPECT_EQ("..\\include", RebasePath("include", "/w", "/w/build"));
  EXPECT_EQ("..\\..\\..\\lib\\include",
            RebasePath("../lib/include", "/w/app", "/w/app/vc/x64"));
  EXPECT_EQ("/usr/include", RebasePath("/usr/include", "/w", "/w/build"));
  EXPECT_EQ("C:/sdk", RebasePath("C:/sdk", "/w", "/w/build"));
  EXPECT_EQ("$(SDK)/include", RebasePath("$(SDK)/include", "/w", "/w/build"));
}

TEST(Vc17RelativePathTest, DirectoriesEndWithABackslash) {
  EXPECT_EQ("bin\\debug\\", AsDirectory("bin/debug"));
  EXPECT_EQ("bin\\", AsDirectory("bin\\"));
  EXPECT_EQ("", AsDirectory(""));
  EXPECT_TRUE(IsAbsolutePath("/x"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
  EXPECT_TRUE(IsAbsolutePath("d:x"));
  EXPECT_FALSE(IsAbsolutePath("x/y"));
  EXPECT_FALSE(IsAbsolutePath("$(X)"));
  EXPECT_TRUE(StartsWithMacro("$(X)/y"));
  EXPECT_FALSE(StartsWithMacro("$X"));
}

}  // namespace
