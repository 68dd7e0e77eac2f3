#include "exporters/vs/relative_path.h"

#include <gtest/gtest.h>

TEST(RelativeDirectoryTest, SameDirectoryInAnySpellingIsEmpty) {
  EXPECT_EQ(RelativeDirectory("", ""), "");
  EXPECT_EQ(RelativeDirectory("build", "./build/"), "");
  EXPECT_EQ(RelativeDirectory("build\\vs", "build/x/../vs"), "");
  EXPECT_EQ(RelativeDirectory("/a/b", "/a//b"), "");
}

TEST(RelativeDirectoryTest, LeadsUpThenDown) {
  EXPECT_EQ(RelativeDirectory("", "projects/core"), "projects/core");
  EXPECT_EQ(RelativeDirectory("sln", ""), "..");
  EXPECT_EQ(RelativeDirectory("build/sln", "build/projects/core"),
            "../projects/core");
  EXPECT_EQ(RelativeDirectory("sln", "../other"), "../../other");
  EXPECT_EQ(RelativeDirectory("../up/sln", "../up/core"), "../core");
  EXPECT_EQ(RelativeDirectory("/a/sln", "/b"), "../../b");
}

TEST(RelativeDirectoryTest, NoAnswerWithoutTheNamesItNeeds) {
  EXPECT_EQ(RelativeDirectory("../sln", "core"), std::nullopt);
  EXPECT_EQ(RelativeDirectory("/abs", "rel"), std::nullopt);
  EXPECT_EQ(RelativeDirectory("rel", "/abs"), std::nullopt);
  // A drive letter is a root of its own.
  EXPECT_EQ(RelativeDirectory("C:/out", "D:/out"), std::nullopt);
  EXPECT_EQ(RelativeDirectory("C:/out", "/out"), std::nullopt);
  EXPECT_EQ(RelativeDirectory("rel", "C:\\abs"), std::nullopt);
}

TEST(RelativeDirectoryTest, SolutionsNameOtherDrivesAbsolutely) {
  EXPECT_EQ(DirectoryFromSolution("C:/sln", "C:/proj"), "../proj");
  EXPECT_EQ(DirectoryFromSolution("C:/sln", "D:\\proj\\"), "D:\\proj");
  EXPECT_EQ(DirectoryFromSolution("sln", "/abs/proj/"), "/abs/proj");
  EXPECT_EQ(DirectoryFromSolution("C:/sln", "D:/"), "D:");
  EXPECT_EQ(DirectoryFromSolution("/abs", "rel"), "");
  EXPECT_EQ(DirectoryFromSolution("../sln", "core"), "");
}

TEST(RelativeDirectoryTest, OneDriveInEitherLetterCase) {
  EXPECT_EQ(RelativeDirectory("C:/build/sln", "c:\\build\\core"), "../core");
  EXPECT_EQ(RelativeDirectory("d:\\", "D:/x"), "x");
}
