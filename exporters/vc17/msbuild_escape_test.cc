#include "exporters/vc17/msbuild_escape.h"

#include <gtest/gtest.h>

namespace {

TEST(VC17MsBuildEscapeTest, SyntaxCharactersAreEscapedMacrosKept) {
  EXPECT_EQ("FMT=%25d%3BX", MsBuildEscaped("FMT=%d;X"));
  EXPECT_EQ("%40(items) %27q%27 %3F %2A", MsBuildEscaped("@(items) 'q' ? *"));
  EXPECT_EQ("$(OutDir)\\a %24HOME a%24",
            MsBuildEscaped("$(OutDir)\\a $HOME a$"));
  EXPECT_EQ("plain\\path.cpp", MsBuildEscaped("plain\\path.cpp"));
}

TEST(VC17MsBuildEscapeTest, UnescapingGivesTheValueBack) {
  for (const char* value :
       {"FMT=%d;X", "@(x) 'y' ?*", "$(Macro) $$ORIGIN", "%25 literal", ""}) {
    EXPECT_EQ(value, MsBuildUnescaped(MsBuildEscaped(value)));
  }
  // Percent signs that begin no escape stay.
  EXPECT_EQ("100% %zz %4", MsBuildUnescaped("100% %zz %4"));
}

}  // namespace
