#include "driver/command_line.h"

#include <gtest/gtest.h>

#include "model/model.h"

namespace {

std::unique_ptr<Workspace> Parse(std::vector<const char*> args) {
  auto workspace = std::make_unique<Workspace>();
  ParseCommandLine(static_cast<int>(args.size()), args.data(), workspace.get());
  return workspace;
}

}  // namespace

TEST(ParseCommandLineTest, OnlyTheSecondCharacterOfAnOptionCounts) {
  auto w = Parse({"qev", "-xml", "a.qev", "-tool", "VC8", "-platform", "xenon",
                  "-output", "Game", "-verbose", "7"});
  EXPECT_EQ(w->projectFile, "a.qev");
  EXPECT_EQ(w->tool, "VC8");
  EXPECT_EQ(w->platform, "xenon");
  EXPECT_EQ(w->outputName, "Game");
  EXPECT_EQ(w->verbosity, 7);
}

TEST(ParseCommandLineTest, ValuesAreConsumedAndLaterOptionsWin) {
  auto w = Parse({"qev", "-c", "Debug", "-t", "make", "-c", "Release", "-t",
                  "xcode", "-h", "stray", "-c", "-x", "-x", "b"});
  // "-x" after -c is the configuration's value, not an option.
  EXPECT_EQ(w->configurationFilter, (TextSet{"-x", "Debug", "Release"}));
  EXPECT_EQ(w->tool, "xcode");
  EXPECT_EQ(w->projectFile, "b");
}

TEST(ParseCommandLineTest, OptionWithoutValueOrAttachedValueReadsNothing) {
  EXPECT_FALSE(Parse({"qev", "-x"})->projectFile);
  EXPECT_FALSE(Parse({"qev", "-xproject.qev"})->projectFile);
  EXPECT_FALSE(Parse({"qev", "-"})->projectFile);
}

TEST(ParseCommandLineTest, VerbosityReadsLeadingDigitsOnly) {
  EXPECT_EQ(Parse({"qev", "-v", "3"})->verbosity, 3);
  EXPECT_EQ(Parse({"qev", "-v", "abc"})->verbosity, 4);
  EXPECT_EQ(Parse({"qev", "-v", " -2x"})->verbosity, -2);
  EXPECT_EQ(Parse({"qev", "-v", "99999999999"})->verbosity, 2147483647);
  EXPECT_EQ(Parse({"qev"})->verbosity, 4);
}

TEST(ParseCommandLineTest, ToolImpliesThePlatformUnlessOneIsGiven) {
  EXPECT_EQ(Parse({"qev", "-t", "vc71"})->platform, "Win32");
  EXPECT_EQ(Parse({"qev", "-t", "VC8", "-p", "xenon"})->platform, "xenon");
  EXPECT_EQ(Parse({"qev", "-t", "XCODE"})->platform, "MacOSX");
#if !defined(__APPLE__)
  EXPECT_EQ(Parse({"qev", "-t", "make"})->platform, "Linux");
#endif
  EXPECT_FALSE(Parse({"qev", "-t", "VC80"})->platform);
  EXPECT_FALSE(Parse({"qev"})->platform);
}

TEST(FindInfoRequestTest, HelpAndVersionButNotAsOptionValues) {
  auto find = [](std::vector<const char*> args) {
    return FindInfoRequest(static_cast<int>(args.size()), args.data());
  };
  EXPECT_EQ(find({"qev", "-t", "make", "--help"}), InfoRequest::kHelp);
  EXPECT_EQ(find({"qev", "-h"}), InfoRequest::kHelp);
  EXPECT_EQ(find({"qev", "--version", "-h"}), InfoRequest::kVersion);
  EXPECT_EQ(find({"qev", "-x", "-h", "-o", "--version"}), InfoRequest::kNone);
  EXPECT_EQ(find({"qev", "-help", "-x", "a.qev"}), InfoRequest::kNone);
}

TEST(ParseCommandLineTest, ThreadsAreAWholeNumberOfOneOrMore) {
  EXPECT_EQ(Parse({"qev", "-x", "a.qev"})->jobs, 0);
  EXPECT_EQ(Parse({"qev", "-j", "1"})->jobs, 1);
  EXPECT_EQ(Parse({"qev", "-jobs", "12"})->jobs, 12);
  for (const char* wrong :
       {"0", "-3", "two", "2x", "", " 4", "+4", "99999999999"}) {
    Workspace workspace;
    std::string error;
    std::vector<const char*> args = {"qev", "-j", wrong, "-t", "make"};
    EXPECT_FALSE(ParseCommandLine(static_cast<int>(args.size()), args.data(),
                                  &workspace, &error))
        << wrong;
    EXPECT_NE(error.find(std::string("\"") + wrong + "\""), std::string::npos)
        << error;
    // The other options are taken all the same.
    EXPECT_EQ(workspace.tool, "make");
    EXPECT_EQ(workspace.jobs, 0);
  }
}

TEST(ParseCommandLineTest, TheValueOfJIsNoOption) {
  const char* help[] = {"qev", "-j", "--help"};
  EXPECT_EQ(FindInfoRequest(3, help), InfoRequest::kNone);
  const char* strict[] = {"qev", "-j", "--strict"};
  EXPECT_FALSE(HasStrictArgument(3, strict));
}
