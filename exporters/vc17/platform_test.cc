#include "exporters/vc17/platform.h"

#include <gtest/gtest.h>

namespace {

TEST(VC17PlatformTest, ThreePlatformsInVisualStudiosSpelling) {
  std::string mapped;
  std::string error;
  EXPECT_TRUE(MapVC17Platform(std::nullopt, &mapped, &error));
  EXPECT_EQ("x64", mapped);
  const std::pair<const char*, const char*> cases[] = {{"win32", "Win32"},
                                                       {"WIN32", "Win32"},
                                                       {"X64", "x64"},
                                                       {"arm64", "ARM64"},
                                                       {"Arm64", "ARM64"}};
  for (const auto& [given, expected] : cases) {
    EXPECT_TRUE(MapVC17Platform(std::string(given), &mapped, &error));
    EXPECT_EQ(expected, mapped);
  }
}

TEST(VC17PlatformTest, ConsolePlatformsPointToVc8) {
  std::string mapped;
  std::string error;
  for (const char* console : {"xenon", "XBOX360", "Ps3"}) {
    EXPECT_FALSE(MapVC17Platform(std::string(console), &mapped, &error));
    EXPECT_NE(std::string::npos, error.find(std::string("\"") + console + "\""))
        << error;
    EXPECT_NE(std::string::npos, error.find("-t VC8")) << error;
  }
  EXPECT_FALSE(MapVC17Platform(std::string("Win64"), &mapped, &error));
  EXPECT_EQ("VC17 writes the platforms Win32, x64 and ARM64, not \"Win64\"",
            error);
}

TEST(VC17PlatformTest, NamesVisualStudioCannotCarry) {
  EXPECT_EQ("", TargetNameProblem("Fish&Chips-\xC3\xBC"));
  EXPECT_EQ("", TargetNameProblem("core.net"));
  EXPECT_EQ("it holds the character \"", TargetNameProblem("a\"b"));
  EXPECT_EQ("it holds the character ;", TargetNameProblem("a;b"));
  EXPECT_EQ("it holds the character %", TargetNameProblem("100%"));
  EXPECT_EQ("it holds the character /", TargetNameProblem("a/b"));
  EXPECT_EQ("it holds a control character", TargetNameProblem("a\tb"));
  for (const char* device :
       {"aux", "CON", "com1", "nul.x", "LPT9.txt", "Prn"}) {
    EXPECT_EQ("Windows reserves it for a device", TargetNameProblem(device))
        << device;
    EXPECT_EQ("Windows reserves it for a device",
              ConfigurationNameProblem(device))
        << device;
  }
  EXPECT_EQ("", TargetNameProblem("auxiliary"));
  EXPECT_EQ("", TargetNameProblem("com10"));
  EXPECT_NE("", TargetNameProblem("name."));
  EXPECT_NE("", TargetNameProblem(""));

  EXPECT_EQ("", ConfigurationNameProblem("Debug & Test"));
  EXPECT_EQ("", ConfigurationNameProblem("Pr\xC3\xBC"
                                         "fung"));
  EXPECT_EQ("it holds the character |", ConfigurationNameProblem("a|b"));
  EXPECT_EQ("it holds the character '", ConfigurationNameProblem("a'b"));
  EXPECT_EQ("it holds the character =", ConfigurationNameProblem("a=b"));
  EXPECT_EQ("it holds the character <", ConfigurationNameProblem("a<b"));
}

}  // namespace
