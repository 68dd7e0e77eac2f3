#include "model/wildcard.h"

#include <gtest/gtest.h>

#include "base/disk.h"
#include "tests/support/test_support.h"

using Matches = std::vector<std::string>;

TEST(MatchWildcardTest, StarAndQuestionMarkIgnoringCase) {
  EXPECT_TRUE(MatchWildcard("*.cpp", "main.cpp"));
  EXPECT_TRUE(MatchWildcard("*.CPP", "Main.cpp"));
  EXPECT_TRUE(MatchWildcard("*", ""));
  EXPECT_TRUE(MatchWildcard("*", ".hidden"));
  EXPECT_TRUE(MatchWildcard("a*b*c", "aXXbYYbc"));
  EXPECT_TRUE(MatchWildcard("?.c", "x.c"));
  EXPECT_FALSE(MatchWildcard("?.c", ".c"));
  EXPECT_FALSE(MatchWildcard("*.cpp", "main.cpp.bak"));
  EXPECT_FALSE(MatchWildcard("*.c", "main.cpp"));
  EXPECT_TRUE(MatchWildcard("main.cpp", "MAIN.CPP"));
  EXPECT_FALSE(MatchWildcard("", "a"));
}

TEST(MatchWildcardTest, ManyStarsStayFast) {
  std::string pattern;
  for (int i = 0; i < 200; ++i)
    pattern += "*a";
  EXPECT_FALSE(MatchWildcard(pattern + "b", std::string(5000, 'a')));
}

TEST(WildcardMatchLessTest, FoldsLettersThenBytes) {
  EXPECT_TRUE(WildcardMatchLess("_u.cpp", "a.cpp"));
  EXPECT_TRUE(WildcardMatchLess("a.cpp", "B.cpp"));
  EXPECT_TRUE(WildcardMatchLess("a.c", "a.cpp"));
  // Equal ignoring case: byte order decides, upper case first.
  EXPECT_TRUE(WildcardMatchLess("A.cpp", "a.cpp"));
  EXPECT_FALSE(WildcardMatchLess("a.cpp", "A.cpp"));
}

// The paths a search reports, from the current directory.
std::vector<std::string> Expand(const std::string& root,
                                const std::string& pattern,
                                const std::string& base = "") {
  DirectoryListings listings(SystemDisk());
  std::vector<std::string> paths;
  for (const FileMatch& match :
       ExpandFilePattern(listings, base, root, pattern))
    paths.push_back(match.path);
  return paths;
}

class ExpandFilePatternTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* file :
         {"src/b.cpp", "src/A.cpp", "src/_u.cpp", "src/.hidden.cpp",
          "src/main_mac.cpp", "src/notes.txt", "src/sub/deep.h"})
      WriteTextFile(file, "");
    MakeTestDirectory("src/dir.cpp");
  }

  ScratchDirectory scratch_;
};

TEST_F(ExpandFilePatternTest, ReportsEveryMatchingEntrySorted) {
  EXPECT_EQ(Expand("src", "*.cpp"),
            (Matches{".hidden.cpp", "_u.cpp", "A.cpp", "b.cpp", "dir.cpp",
                     "main_mac.cpp"}));
}

TEST_F(ExpandFilePatternTest, PrefixIsThePatternsDirectoryAsWritten) {
  EXPECT_EQ(Expand("", "src/sub/*.H"), (Matches{"src/sub/deep.h"}));
  // The file system looks the directories up: by exact name on Linux,
  // ignoring letter case on Windows.
#ifdef _WIN32
  EXPECT_EQ(Expand("", "SRC/*.txt"), (Matches{"SRC/notes.txt"}));
#else
  EXPECT_EQ(Expand("", "SRC/*.txt"), Matches{});
#endif
  // A backslash separates directories for the search only.
  EXPECT_EQ(Expand("src", "sub\\*.h"), (Matches{"deep.h"}));
  // So it does in a root, written as on Windows.
  EXPECT_EQ(Expand("src\\sub", "*.h"), (Matches{"deep.h"}));
}

TEST_F(ExpandFilePatternTest, AbsolutePatternIgnoresTheRoot) {
  // On Windows the current directory starts with its drive ("Z:/tmp/...").
  const std::string here = SystemDisk().CurrentDirectory();
  ASSERT_FALSE(here.empty());
  EXPECT_EQ(Expand("no-such-root", here + "/src/sub/*.h"),
            (Matches{here + "/src/sub/deep.h"}));
}

TEST_F(ExpandFilePatternTest, NameWithoutWildcardsTakesTheCaseOnDisk) {
  EXPECT_EQ(Expand("src", "a.CPP"), (Matches{"A.cpp"}));
  EXPECT_EQ(Expand("src", "missing.cpp"), Matches{});
}

TEST_F(ExpandFilePatternTest, NeverReportsDotEntriesAndToleratesBadRoots) {
  EXPECT_EQ(Expand("src/sub", "*"), (Matches{"deep.h"}));
  EXPECT_EQ(Expand("src/sub", ".*"), Matches{});
  EXPECT_EQ(Expand("no-such-root", "*"), Matches{});
  EXPECT_EQ(Expand("src", "sub/"), Matches{});
}

TEST(ExpandFilePatternPrefixTest, TheLiteralStartNarrowsTheSearchCaseIgnored) {
  ScratchDirectory scratch;
  for (const char* name : {"A1.cpp", "a2.cpp", "B.cpp", "_x.cpp", "ab.h", "a",
                           "Ab3.CPP", "b_a1.cpp"})
    WriteTextFile(std::string("d/") + name, "");
  EXPECT_EQ(Expand("d", "a*.cpp"),
            (std::vector<std::string>{"A1.cpp", "a2.cpp", "Ab3.CPP"}));
  EXPECT_EQ(Expand("d", "A?.CPP"),
            (std::vector<std::string>{"A1.cpp", "a2.cpp"}));
  EXPECT_EQ(Expand("d", "a"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(Expand("d", "*a1*"),
            (std::vector<std::string>{"A1.cpp", "b_a1.cpp"}));
  EXPECT_EQ(Expand("d", "c*"), (std::vector<std::string>{}));
}

TEST_F(ExpandFilePatternTest, DirectoryThatCannotBeReadIsNamedWithReason) {
  std::string error;
  DirectoryListings listings(SystemDisk());
  EXPECT_TRUE(
      ExpandFilePattern(listings, "", "src", "gone/*.cpp", &error).empty());
  EXPECT_EQ(error,
            "directory \"src/gone/\" cannot be read (No such file or "
            "directory)");
  // A second pattern in the same directory is told the same from the cache.
  error.clear();
  ExpandFilePattern(listings, "", "src", "gone/*.h", &error);
  EXPECT_NE(error, "");
  error.clear();
  ExpandFilePattern(listings, "", "src", "*.cpp", &error);
  EXPECT_EQ(error, "");
}

TEST_F(ExpandFilePatternTest, SearchesBelowTheBaseAndTellsDirectories) {
  MakeTestDirectory("top");
  WriteTextFile("top/lib/x.cpp", "");
  MakeTestDirectory("top/lib/y.cpp");
  DirectoryListings listings(SystemDisk());
  std::string error;
  std::vector<FileMatch> matches =
      ExpandFilePattern(listings, "top", "lib", "*.cpp", &error);
  ASSERT_EQ(matches.size(), 2u);
  EXPECT_EQ(matches[0].path, "x.cpp");
  EXPECT_FALSE(matches[0].directory);
  EXPECT_EQ(matches[1].path, "y.cpp");
  EXPECT_TRUE(matches[1].directory);
  // Unreadable directories are named as the description sees them.
  ExpandFilePattern(listings, "top", "", "gone/*", &error);
  EXPECT_EQ(error,
            "directory \"gone/\" cannot be read (No such file or directory)");
  EXPECT_EQ(Expand("lib", "*.cpp", "top"),
            (std::vector<std::string>{"x.cpp", "y.cpp"}));
}
