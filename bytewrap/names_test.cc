#include "bytewrap/names.h"

#include <gtest/gtest.h>

namespace {

OutputNames Derive(const std::string& path) {
  OutputNames names;
  EXPECT_TRUE(DeriveNames(path, &names)) << path;
  return names;
}

TEST(DeriveNamesTest, PlainNameGivesTheClassicNames) {
  OutputNames names = Derive("logo.png");
  EXPECT_EQ("logo.h", names.header_path);
  EXPECT_EQ("logo.cpp", names.source_path);
  EXPECT_EQ("logo.h", names.header_file);
  EXPECT_EQ("g_logo", names.array_name);
  EXPECT_EQ("LOGO_H", names.guard_macro);
}

TEST(DeriveNamesTest, DirectoryPartPlacesOutputsButNamesNothing) {
  OutputNames names = Derive("assets.v2/data/logo.png");
  EXPECT_EQ("assets.v2/data/logo.h", names.header_path);
  EXPECT_EQ("assets.v2/data/logo.cpp", names.source_path);
  EXPECT_EQ("logo.h", names.header_file);
  EXPECT_EQ("g_logo", names.array_name);
  EXPECT_EQ("LOGO_H", names.guard_macro);

  names = Derive("./logo.png");
  EXPECT_EQ("./logo.h", names.header_path);
  EXPECT_EQ("./logo.cpp", names.source_path);
  EXPECT_EQ("g_logo", names.array_name);

  // A backslash separates too, as typed on Windows.
  names = Derive("C:\\art.d\\Logo.png");
  EXPECT_EQ("C:\\art.d\\Logo.h", names.header_path);
  EXPECT_EQ("Logo.h", names.header_file);
  EXPECT_EQ("g_Logo", names.array_name);
  EXPECT_EQ("LOGO_H", names.guard_macro);
}

TEST(DeriveNamesTest, StemEndsAtTheFirstDot) {
  OutputNames names = Derive("my.data.bin");
  EXPECT_EQ("my.h", names.header_path);
  EXPECT_EQ("my.cpp", names.source_path);
  EXPECT_EQ("g_my", names.array_name);
}

TEST(DeriveNamesTest, IdentifiersAreSanitised) {
  // "é" is two bytes in UTF-8; each becomes '_'.
  OutputNames names = Derive("sprite sheet-\xC3\xA9.png");
  EXPECT_EQ("sprite sheet-\xC3\xA9.h", names.header_path);
  EXPECT_EQ("sprite sheet-\xC3\xA9.h", names.header_file);
  EXPECT_EQ("g_sprite_sheet___", names.array_name);
  EXPECT_EQ("SPRITE_SHEET____H", names.guard_macro);

  names = Derive("9lives.bin");
  EXPECT_EQ("g_9lives", names.array_name);
  EXPECT_EQ("G_9LIVES_H", names.guard_macro);

  names = Derive("Mixed_Case2.bin");
  EXPECT_EQ("g_Mixed_Case2", names.array_name);
  EXPECT_EQ("MIXED_CASE2_H", names.guard_macro);
}

TEST(DeriveNamesTest, RejectsMissingExtensionOrEmptyStem) {
  OutputNames names;
  EXPECT_FALSE(DeriveNames("README", &names));
  EXPECT_FALSE(DeriveNames(".bashrc", &names));
  EXPECT_FALSE(DeriveNames("dir/.bashrc", &names));
  EXPECT_FALSE(DeriveNames("v1.2/README", &names));  // The dot is no stem's.
  EXPECT_FALSE(DeriveNames("data/", &names));
  EXPECT_FALSE(DeriveNames("", &names));
}

}  // namespace
