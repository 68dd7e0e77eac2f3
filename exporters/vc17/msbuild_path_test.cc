#include "exporters/vc17/msbuild_path.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace {

TEST(MsBuildPathTest, RelativePathsLeadFromOneDirectoryToAnother) {
  EXPECT_EQ(".", WindowsRelativePath("/w/build", "/w/build"));
  EXPECT_EQ("a.cpp", WindowsRelativePath("/w", "/w/a.cpp"));
  EXPECT_EQ("..\\src\\a.cpp", WindowsRelativePath("/w/build", "/w/src/a.cpp"));
  EXPECT_EQ("..\\..\\w\\a.cpp", WindowsRelativePath("/v/x", "/w/a.cpp"));
  EXPECT_EQ("..", WindowsRelativePath("/w/build", "/w"));
  // Components are compared whole: "/w/ab" is not below "/w/a".
  EXPECT_EQ("..\\ab\\c", WindowsRelativePath("/w/a", "/w/ab/c"));
  // On one drive in either letter case; another drive is named whole.
  EXPECT_EQ("..\\src", WindowsRelativePath("C:/w/build", "c:/w/src"));
  EXPECT_EQ("D:\\src\\a.cpp", WindowsRelativePath("C:/w", "D:/src/a.cpp"));
  EXPECT_EQ("..\\src", RebasePath("src", "C:/w", "C:/w/build"));
}

TEST(MsBuildPathTest, RebasingKeepsAbsolutePathsAndMacros) {
  EXPECT_EQ("..\\include", RebasePath("include", "/w", "/w/build"));
  EXPECT_EQ("..\\..\\..\\lib\\include",
            RebasePath("../lib/include", "/w/app", "/w/app/vc/x64"));
  EXPECT_EQ("/usr/include", RebasePath("/usr/include", "/w", "/w/build"));
  EXPECT_EQ("C:/sdk", RebasePath("C:/sdk", "/w", "/w/build"));
  EXPECT_EQ("$(SDK)/include", RebasePath("$(SDK)/include", "/w", "/w/build"));
}

TEST(MsBuildPathTest, DirectoriesEndWithABackslash) {
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
