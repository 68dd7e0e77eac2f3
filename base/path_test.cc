#include "base/path.h"

#include <gtest/gtest.h>

namespace {

TEST(PathTest, NormalizeFoldsDotsAndSeparatorsLexically) {
  EXPECT_EQ(NormalizePath("./src//a/./b.c"), "src/a/b.c");
  EXPECT_EQ(NormalizePath("src\\sub\\..\\a.h"), "src/a.h");
  EXPECT_EQ(NormalizePath("../x/../../y"), "../../y");
  EXPECT_EQ(NormalizePath("a/b/../../.."), "..");
  EXPECT_EQ(NormalizePath("a/.."), ".");
  EXPECT_EQ(NormalizePath(""), ".");
  EXPECT_EQ(NormalizePath("/a/../../b"), "/b");
  EXPECT_EQ(NormalizePath("\\a\\b\\"), "/a/b");
  EXPECT_EQ(NormalizePath("/"), "/");
  // A drive is a root of its own, spelled as written.
  EXPECT_EQ(NormalizePath("C:\\x\\..\\..\\y"), "C:/y");
  EXPECT_EQ(NormalizePath("d:x"), "d:/x");
  for (const char* plain : {"a", "a/b", "../a", "/a", "C:/a", "..", "/"})
    EXPECT_TRUE(IsNormalizedPath(plain)) << plain;
  for (const char* other :
       {"", "./a", "a//b", "a/", "a/../b", "/..", "a\\b", "C:\\a", "c:a"})
    EXPECT_FALSE(IsNormalizedPath(other)) << other;
}

TEST(PathTest, AbsolutePathsKeepTheirRootAndDrive) {
  EXPECT_EQ(AbsolutePath("/w", "src/a.cpp"), "/w/src/a.cpp");
  EXPECT_EQ(AbsolutePath("/w/build", "../src/./a.cpp"), "/w/src/a.cpp");
  EXPECT_EQ(AbsolutePath("/w/", "src\\\\sub\\..\\"), "/w/src");
  EXPECT_EQ(AbsolutePath("/w", ""), "/w");
  EXPECT_EQ(AbsolutePath("/w", "../../.."), "/");
  EXPECT_EQ(AbsolutePath("/w", "/opt//x/"), "/opt/x");
  EXPECT_EQ(AbsolutePath("/w", "C:\\x\\y"), "C:/x/y");
  EXPECT_EQ(AbsolutePath("C:/w", "src"), "C:/w/src");
  EXPECT_EQ(AbsolutePath("C:\\w", "..\\src"), "C:/src");
  // "\x" on Windows stays on the current drive.
  EXPECT_EQ(AbsolutePath("C:/w", "/opt"), "C:/opt");
  EXPECT_EQ(AbsolutePath("C:/w", "D:/x"), "D:/x");
}

TEST(PathTest, RelativePathsBetweenDirectories) {
  // Absolute directories.
  EXPECT_EQ(RelativePath("/b/bin", "/b/bin"), ".");
  EXPECT_EQ(RelativePath("/b/bin", "/b/bin/lib"), "lib");
  EXPECT_EQ(RelativePath("/b/bin/Debug", "/b/lib"), "../../lib");
  EXPECT_EQ(RelativePath("/", "/x"), "x");
  EXPECT_EQ(RelativePath("/a/sln", "/b"), "../../b");
  // Components compare whole: "/w/ab" is not below "/w/a".
  EXPECT_EQ(RelativePath("/w/a", "/w/ab/c"), "../ab/c");
  // Directories relative to one place, in any spelling.
  EXPECT_EQ(RelativePath("", ""), ".");
  EXPECT_EQ(RelativePath("build", "./build/"), ".");
  EXPECT_EQ(RelativePath("build\\vs", "build/x/../vs"), ".");
  EXPECT_EQ(RelativePath("", "projects/core"), "projects/core");
  EXPECT_EQ(RelativePath("sln", ""), "..");
  EXPECT_EQ(RelativePath("sln", "../other"), "../../other");
  EXPECT_EQ(RelativePath("../up/sln", "../up/core"), "../core");
  // One drive in either letter case.
  EXPECT_EQ(RelativePath("C:/build/sln", "c:\\build\\core"), "../core");
  EXPECT_EQ(RelativePath("d:\\", "D:/x"), "x");
}

TEST(PathTest, NoRelativePathWithoutTheNamesItNeeds) {
  EXPECT_EQ(RelativePath("../sln", "core"), std::nullopt);
  EXPECT_EQ(RelativePath("/abs", "rel"), std::nullopt);
  EXPECT_EQ(RelativePath("rel", "/abs"), std::nullopt);
  EXPECT_EQ(RelativePath("C:/out", "D:/out"), std::nullopt);
  EXPECT_EQ(RelativePath("C:/out", "/out"), std::nullopt);
  EXPECT_EQ(RelativePath("rel", "C:\\abs"), std::nullopt);
}

TEST(PathTest, PiecesOfAPath) {
  EXPECT_EQ(JoinPath("", "a.cpp"), "a.cpp");
  EXPECT_EQ(JoinPath("src", "a.cpp"), "src/a.cpp");
  EXPECT_EQ(JoinPath("src/", "a.cpp"), "src/a.cpp");
  EXPECT_EQ(JoinPath("src\\", "a.cpp"), "src\\a.cpp");
  EXPECT_EQ(JoinPath("src", "/a.cpp"), "src//a.cpp");
  EXPECT_EQ(ResolvePath("src", "/abs/a.cpp"), "/abs/a.cpp");
  EXPECT_EQ(ResolvePath("src", "C:a.cpp"), "C:a.cpp");
  EXPECT_EQ(ResolvePath("src", "a.cpp"), "src/a.cpp");

  EXPECT_EQ(JoinNormalized("./src/../lib/", "a\\b.c"), "lib/a\\b.c");
  EXPECT_EQ(JoinNormalized("./", "c:d.c"), "c:d.c");
  EXPECT_EQ(JoinNormalized("", "x.c"), "x.c");
  EXPECT_EQ(JoinNormalized("/", "x.c"), "/x.c");

  EXPECT_EQ(ParentDirectory("a/b.c"), "a");
  EXPECT_EQ(ParentDirectory("a\\b\\c.h"), "a\\b");
  EXPECT_EQ(ParentDirectory("b.c"), ".");
  EXPECT_EQ(ParentDirectory("/b.c"), "/");
  EXPECT_EQ(ParentDirectory("C:/b.c"), "C:/");
  EXPECT_EQ(ParentDirectory("C:b.c"), "C:");

  EXPECT_EQ(FileName("a/b\\c.h"), "c.h");
  EXPECT_EQ(NameAfterLastSlash("a/b\\c.h"), "b\\c.h");
  EXPECT_EQ(FileExtension("src.d/notes"), "");
  EXPECT_EQ(FileExtension("a/b.tar.gz"), ".gz");
  EXPECT_EQ(FileExtension(".clang-format"), ".clang-format");

  EXPECT_EQ(PathRoot("C:\\x"), "C:\\");
  EXPECT_EQ(PathRoot("c:x"), "c:");
  EXPECT_EQ(PathRoot("\\x"), "\\");
  EXPECT_EQ(PathRoot("x/y"), "");
  EXPECT_EQ(PathComponents("C:/a/./b//..").size(), 3u);
  EXPECT_EQ(SplitAtSlashes("a/./b\\c//"),
            (std::vector<std::string_view>{"a", ".", "b\\c", "", ""}));

  EXPECT_EQ(TrimTrailingSeparators("D:\\proj\\"), "D:\\proj");
  EXPECT_EQ(TrimTrailingSeparators("D:/"), "D:");
}

}  // namespace
