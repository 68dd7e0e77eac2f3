#include "exporters/make/make_source_lists.h"

#include <gtest/gtest.h>

#include "model/model.h"

namespace {

// Search results as a file search reports them.
std::vector<FileMatch> Found(std::initializer_list<const char*> paths) {
  std::vector<FileMatch> matches;
  for (const char* path : paths)
    matches.push_back({path});
  return matches;
}

std::vector<std::string> Paths(const MakeSourceLists& lists) {
  std::vector<std::string> paths;
  for (const MakeSourceEntry& entry : lists.entries)
    paths.emplace_back(entry.path);
  return paths;
}

}  // namespace

TEST(MakeKindTest, OnlyTheLastDotOfTheFileNameCounts) {
  EXPECT_EQ(MakeKindOf("../src/a.cpp"), MakeFileKind::kCpp);
  EXPECT_EQ(MakeKindOf("../src/b.c"), MakeFileKind::kC);
  EXPECT_EQ(MakeKindOf("lib/x.a"), MakeFileKind::kLinkInput);
  EXPECT_EQ(MakeKindOf("x.cpp.lib"), MakeFileKind::kLinkInput);
  // Dots in directories and extensions that merely start like one.
  EXPECT_EQ(MakeKindOf("../src.cpp/util.h"), MakeFileKind::kUnbuilt);
  EXPECT_EQ(MakeKindOf("..\\src.c\\notes"), MakeFileKind::kUnbuilt);
  EXPECT_EQ(MakeKindOf("../.clang-format"), MakeFileKind::kUnbuilt);
  EXPECT_EQ(MakeKindOf("../notes.adoc"), MakeFileKind::kUnbuilt);
  EXPECT_EQ(MakeKindOf("../lib.a/archive"), MakeFileKind::kUnbuilt);
  EXPECT_EQ(MakeKindOf("../a.CPP"), MakeFileKind::kUnbuilt);
}

TEST(MakeKindTest, SourcesOfOtherLanguagesAreRecognised) {
  for (const char* path : {"a.cc", "a.cxx", "a.c++", "a.C", "a.S", "a.s", "a.m",
                           "a.mm", "a.CPP", "dir.x/a.Cc"})
    EXPECT_TRUE(IsSourceMakeCannotBuild(path)) << path;
  for (const char* path : {"a.cpp", "a.c", "a.h", "a.hpp", "a.asm", "a.cs",
                           ".clang-format", "src.cc/readme", "a"})
    EXPECT_FALSE(IsSourceMakeCannotBuild(path)) << path;
}

TEST(CollectMakeSourcesTest, EachFileOnceAcrossGroupsFirstKept) {
  Project project("p");
  Target app("app", &project);
  app.AddFiles("Source", "../src", Found({"main.cpp", "util.cpp", "main.cpp"}));
  app.AddFiles("More", "../src", Found({"util.cpp", "extra.c", "libz.a"}));
  app.AddFiles("More", "../lib", Found({"libz.a"}));
  // One file in other spellings, and a directory named like a source.
  app.AddFiles("More", "../src/", Found({"./main.cpp", "sub/../util.cpp"}));
  app.AddFiles("More", "../src", {FileMatch{"dir.cpp", true}});
  MakeSourceLists lists = CollectMakeSources(app);
  EXPECT_EQ(Paths(lists),
            (std::vector<std::string>{"../src/main.cpp", "../src/util.cpp",
                                      "../src/extra.c", "../src/libz.a",
                                      "../lib/libz.a"}));
  EXPECT_TRUE(lists.warnings.empty());
}

TEST(CollectMakeSourcesTest, SourcesOneRuleCannotTellApartWarnOncePerPair) {
  Project project("p");
  Target app("app", &project);
  app.AddFiles("", "..",
               Found({"core/util.cpp", "plugins/core/util.cpp",
                      "plugins/xcore/util.cpp", "other/util.c"}));
  // "./x.cpp" and "x.cpp" are two strings for one file.
  app.AddFiles("", ".", Found({"x.cpp"}));
  app.AddFiles("", "", Found({"x.cpp"}));
  MakeSourceLists lists = CollectMakeSources(app);
  ASSERT_EQ(lists.warnings.size(), 3u);
  EXPECT_EQ(lists.warnings[0],
            "target \"app\": sources \"../core/util.cpp\" and "
            "\"../plugins/core/util.cpp\" are compiled by one make rule, "
            "which cannot tell them apart; rename one, or use the ninja tool "
            "(-t ninja)");
  EXPECT_NE(lists.warnings[1].find("\"../core/util.cpp\" and "
                                   "\"../plugins/xcore/util.cpp\""),
            std::string::npos);
  EXPECT_NE(lists.warnings[2].find("\"./x.cpp\" and \"/x.cpp\""),
            std::string::npos);
}

TEST(CollectMakeSourcesTest, SameFileNameInSiblingDirectoriesIsFine) {
  Project project("p");
  Target app("app", &project);
  app.AddFiles("", "..", Found({"a/util.cpp", "b/util.cpp", "a/util.c"}));
  EXPECT_TRUE(CollectMakeSources(app).warnings.empty());
}

TEST(CollectMakeSourcesTest, KeyThatIsAFileNameEndsLongerFileNames) {
  Project project("p");
  Target app("app", &project);
  // Objects of sources right under ".." are found by their file name alone.
  app.AddFiles("", "..",
               Found({"util.cpp", "myutil.cpp", "sub/util.cpp", "x.cpp"}));
  MakeSourceLists lists = CollectMakeSources(app);
  ASSERT_EQ(lists.warnings.size(), 2u);
  EXPECT_NE(lists.warnings[0].find("\"../util.cpp\" and \"../myutil.cpp\""),
            std::string::npos);
  EXPECT_NE(lists.warnings[1].find("\"../util.cpp\" and \"../sub/util.cpp\""),
            std::string::npos);
}
