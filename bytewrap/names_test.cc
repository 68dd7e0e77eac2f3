#include "bytewrap/names.h"

#include <gtest/gtest.h>

namespace {

TEST(DeriveNamesTest, OnlyTheFileNameComponentNamesThings) {
  OutputNames names;
  // A backslash separates the component that names things too; dots before
  // the last separator belong to directories.
  ASSERT_TRUE(DeriveNames("C:\\art.d/v1.2\\Logo.tar.gz", &names));
  EXPECT_EQ("C:\\art.d/v1.2\\Logo.h", names.headerPath);
  EXPECT_EQ("C:\\art.d/v1.2\\Logo.cpp", names.sourcePath);
  EXPECT_EQ("g_Logo", names.arrayName);
  EXPECT_EQ("LOGO_H", names.guardMacro);
  // Here a backslash is part of a file name: the header lies beside the
  // source under all of it.
  EXPECT_EQ("v1.2\\Logo.h", names.headerFile);
  ASSERT_TRUE(DeriveNames("data/logo.png", &names));
  EXPECT_EQ("logo.h", names.headerFile);
  ASSERT_TRUE(DeriveNames("dir\\logo.png", &names));
  EXPECT_EQ("dir\\logo.h", names.headerFile);
  EXPECT_EQ("dir\\logo.h", names.headerPath);
}

TEST(DeriveNamesTest, IncludeLineCanHoldTheHeaderName) {
  OutputNames names;
  ASSERT_TRUE(DeriveNames("in/say \"hi\"\nnow.txt", &names));
  EXPECT_EQ("say _hi__now.h", names.headerFile);
  EXPECT_EQ("in/say _hi__now.h", names.headerPath);
  EXPECT_EQ("in/say _hi__now.cpp", names.sourcePath);
  EXPECT_EQ("g_say__hi__now", names.arrayName);
  // The directory is where the outputs go; it stays as typed.
  ASSERT_TRUE(DeriveNames("a\"b/x.bin", &names));
  EXPECT_EQ("a\"b/x.h", names.headerPath);
  EXPECT_EQ("x.h", names.headerFile);
}

TEST(DeriveNamesTest, ProblemIsExplained) {
  EXPECT_NE(NameProblem("v1.2/README").find("no '.'"), std::string::npos);
  EXPECT_NE(NameProblem("dir/.bashrc").find("starts with '.'"),
            std::string::npos);
}

TEST(DeriveNamesTest, IdentifiersAreSanitised) {
  OutputNames names;
  // "é" is two bytes in UTF-8; each becomes '_'. File names keep them.
  ASSERT_TRUE(DeriveNames("sprite sheet-\xC3\xA9.png", &names));
  EXPECT_EQ("sprite sheet-\xC3\xA9.h", names.headerFile);
  EXPECT_EQ("g_sprite_sheet___", names.arrayName);
  EXPECT_EQ("SPRITE_SHEET____H", names.guardMacro);

  ASSERT_TRUE(DeriveNames("9lives.bin", &names));
  EXPECT_EQ("g_9lives", names.arrayName);
  EXPECT_EQ("G_9LIVES_H", names.guardMacro);
}

TEST(DeriveNamesTest, RejectsMissingExtensionOrEmptyStem) {
  OutputNames names;
  for (const char* path :
       {"README", ".bashrc", "dir/.bashrc", "v1.2/README", "data/", ""}) {
    EXPECT_FALSE(DeriveNames(path, &names)) << path;
  }
}

}  // namespace
