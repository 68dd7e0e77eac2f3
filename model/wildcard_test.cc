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
  EXPECT_EQ(ExpandFilePattern("src", "*.cpp"),
            (Matches{".hidden.cpp", "_u.cpp", "A.cpp", "b.cpp", "dir.cpp",
                     "main_mac.cpp"}));
}

TEST_F(ExpandFilePatternTest, PrefixIsThePatternsDirectoryAsWritten) {
  EXPECT_EQ(ExpandFilePattern("", "src/sub/*.H"), (Matches{"src/sub/deep.h"}));
  // The file system looks the directories up: by exact name on Linux,
  // ignoring letter case on Windows.
#ifdef _WIN32
  EXPECT_EQ(ExpandFilePattern("", "SRC/*.txt"), (Matches{"SRC/notes.txt"}));
#else
  EXPECT_EQ(ExpandFilePattern("", "SRC/*.txt"), Matches{});
#endif
  // A backslash separates directories for the search only.
  EXPECT_EQ(ExpandFilePattern("src", "sub\\*.h"), (Matches{"deep.h"}));
  // So it does in a root, written as on Windows.
  EXPECT_EQ(ExpandFilePattern("src\\sub", "*.h"), (Matches{"deep.h"}));
}

TEST_F(ExpandFilePatternTest, AbsolutePatternIgnoresTheRoot) {
  // On Windows the current directory starts with its drive ("Z:/tmp/...").
  const std::string here = SystemDisk().CurrentDirectory();
  ASSERT_FALSE(here.empty());
  EXPECT_EQ(ExpandFilePattern("no-such-root", here + "/src/sub/*.h"),
            (Matches{here + "/src/sub/deep.h"}));
}

TEST_F(ExpandFilePatternTest, NameWithoutWildcardsTakesTheCaseOnDisk) {
  EXPECT_EQ(ExpandFilePattern("src", "a.CPP"), (Matches{"A.cpp"}));
  EXPECT_EQ(ExpandFilePattern("src", "missing.cpp"), Matches{});
}

TEST_F(ExpandFilePatternTest, NeverReportsDotEntriesAndToleratesBadRoots) {
  EXPECT_EQ(ExpandFilePattern("src/sub", "*"), (Matches{"deep.h"}));
  EXPECT_EQ(ExpandFilePattern("src/sub", ".*"), Matches{});
  EXPECT_EQ(ExpandFilePattern("no-such-root", "*"), Matches{});
  EXPECT_EQ(ExpandFilePattern("src", "sub/"), Matches{});
}

TEST(ExpandFilePatternPrefixTest, TheLiteralStartNarrowsTheSearchCaseIgnored) {
  ScratchDirectory scratch;
  for (const char* name : {"A1.cpp", "a2.cpp", "B.cpp", "_x.cpp", "ab.h", "a",
                           "Ab3.CPP", "b_a1.cpp"})
    WriteTextFile(std::string("d/") + name, "");
  EXPECT_EQ(ExpandFilePattern("d", "a*.cpp"),
            (std::vector<std::string>{"A1.cpp", "a2.cpp", "Ab3.CPP"}));
  EXPECT_EQ(ExpandFilePattern("d", "A?.CPP"),
            (std::vector<std::string>{"A1.cpp", "a2.cpp"}));
  EXPECT_EQ(ExpandFilePattern("d", "a"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(ExpandFilePattern("d", "*a1*"),
            (std::vector<std::string>{"A1.cpp", "b_a1.cpp"}));
  EXPECT_EQ(ExpandFilePattern("d", "c*"), (std::vector<std::string>{}));
}

TEST_F(ExpandFilePatternTest, DirectoryThatCannotBeReadIsNamedWithReason) {
  std::string error;
  DirectoryListings listings;
  EXPECT_EQ(ExpandFilePattern("src", "gone/*.cpp", &listings, &error),
            Matches{});
  EXPECT_EQ(error,
            "directory \"src/gone/\" cannot be read (No such file or "
            "directory)");
  // A second pattern in the same directory is told the same from the cache.
  error.clear();
  ExpandFilePattern("src", "gone/*.h", &listings, &error);
  EXPECT_NE(error, "");
  error.clear();
  ExpandFilePattern("src", "*.cpp", &listings, &error);
  EXPECT_EQ(error, "");
}
