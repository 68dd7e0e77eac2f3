#include "bytewrap/names.h"

#include <gtest/gtest.h>

namespace {

TEST(DeriveNamesTest, OnlyTheFileNameComponentNamesThings) {
  OutputNames names;
  // A backslash separates too, as typed on Windows; dots before the last
  // separator belong to directories.
  ASSERT_TRUE(DeriveNames("C:\\art.d/v1.2\\Logo.tar.gz", &names));
  EXPECT_EQ("C:\\art.d/v1.2\\Logo.h", names.header_path);
  EXPECT_EQ("C:\\art.d/v1.2\\Logo.cpp", names.source_path);
  EXPECT_EQ("Logo.h", names.header_file);
  EXPECT_EQ("g_Logo", names.array_name);
  EXPECT_EQ("LOGO_H", names.guard_macro);
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
