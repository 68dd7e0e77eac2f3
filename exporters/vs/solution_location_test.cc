#include "exporters/vs/solution_location.h"

#include <gtest/gtest.h>

TEST(SolutionLocationTest, RelativeWhereItCanBeAbsoluteOnOtherDrives) {
  EXPECT_EQ(DirectoryFromSolution("build", "./build/"), "");
  EXPECT_EQ(DirectoryFromSolution("build/sln", "build/projects/core"),
            "../projects/core");
  EXPECT_EQ(DirectoryFromSolution("C:/sln", "C:/proj"), "../proj");
  EXPECT_EQ(DirectoryFromSolution("C:/sln", "D:\\proj\\"), "D:\\proj");
  EXPECT_EQ(DirectoryFromSolution("sln", "/abs/proj/"), "/abs/proj");
  EXPECT_EQ(DirectoryFromSolution("C:/sln", "D:/"), "D:");
  EXPECT_EQ(DirectoryFromSolution("/abs", "rel"), "");
  EXPECT_EQ(DirectoryFromSolution("../sln", "core"), "");
}
