#include "bytewrap/names.h"

#include <gtest/gtest.h>

namespace {

TEST(DeriveNamesTest, OnlyTheFileNameComponentNamesThings) {
  OutputNames names;
  // A backslash separates the component that names things too; dots before
  // the last separator belong to directories.
  ASSERT_TRUE(DeriveNames("C:\\art.d/v1.2\\Logo.tar.gz", &names));
  EXPECT_EQ("C:\\art.d/v1.2\\Logo.h", names.header_path);
  EXPECT_EQ("C:\\art.d/v1.2\\Logo.cpp", names.source_path);
  EXPECT_EQ("g_Logo", names.array_name);
  EXPECT_EQ("LOGO_H", names.guard_macro);
  // Here a backslash is part of a file name: the header lies beside the
  // source under all of it.
  EXPECT_EQ("v1.2\\Logo.h", names.header_file);
  ASSERT_TRUE(DeriveNames("data/logo.png", &names));
  EXPECT_EQ("logo.h", names.header_file);
  ASSERT_TRUE(DeriveNames("dir\\logo.png", &names));
  EXPECT_EQ("dir\\logo.h", names.header_file);
  EXPECT_EQ("dir\\logo.h", names.header_path);
}

TEST(DeriveNamesTest, IncludeLineCanHoldTheHeaderName) {
  OutputNames names;
  ASSERT_TRUE(DeriveNames("in/say \"hi\"\nnow.txt", &names));
  EXPECT_EQ("say _hi__now.h", names.header_file);
  EXPECT_EQ("in/say _hi__now.h", names.header_path);
  EXPECT_EQ("in/say _hi__now.cpp", names.source_path);
  EXPECT_EQ("g_say__hi__now", names.array_name);
  // The directory is where the outputs go; it stays as typed.
  ASSERT_TRUE(DeriveNames("a\"b/x.bin", &names));
  EXPECT_EQ("a\"b/x.h", names.header_path);
  EXPECT_EQ("x.h", names.header_file);
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
  EXPECT_EQ("sprite sheet-\xC3\xA9.h", names.header_file);
  EXPECT_EQ("g_sprite_sheet___", names.array_name);
  EXPECT_EQ("SPRITE_SHEET____H", names.guard_macro);

  ASSERT_TRUE(DeriveNames("9lives.bin", &names));
  EXPECT_EQ("g_9lives", names.array_name);
  EXPECT_EQ("G_9LIVES_H", names.guard_macro);
}

TEST(DeriveNamesTest, RejectsMissingExtensionOrEmptyStem) {
  OutputNames names;
  for (const char* path :
       {"README", ".bashrc", "dir/.bashrc", "v1.2/README", "data/", ""}) {
    EXPECT_FALSE(DeriveNames(path, &names)) << path;
  }
}

}  // namespace
