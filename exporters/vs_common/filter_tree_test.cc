#include "exporters/vs_common/filter_tree.h"

#include <gtest/gtest.h>

TEST(ComparePathsNoCaseTest, IgnoresAsciiCase) {
  EXPECT_EQ(0, ComparePathsNoCase("", ""));
  EXPECT_EQ(0, ComparePathsNoCase("src/Main.cpp", "src/Main.cpp"));
  EXPECT_EQ(-1, ComparePathsNoCase("Apple.c", "banana.c"));
  EXPECT_EQ(1, ComparePathsNoCase("banana.c", "Apple.c"));
  // "_" lies between the upper- and the lower-case letters.
  EXPECT_EQ(-1, ComparePathsNoCase("_x", "A"));
}

TEST(ComparePathsNoCaseTest, HighBytesSortBeforeAscii) {
  EXPECT_EQ(-1, ComparePathsNoCase("\xE9t\xE9.c", "a.c"));
  EXPECT_EQ(1, ComparePathsNoCase("a.c", "\x80"));
}

TEST(ComparePathsNoCaseTest, BreaksTiesConsistently) {
  // A prefix, ignoring case, sorts first.
  EXPECT_EQ(-1, ComparePathsNoCase("a.c", "a.cpp"));
  EXPECT_EQ(1, ComparePathsNoCase("A.CPP", "a.c"));
  EXPECT_EQ(-1, ComparePathsNoCase("", "a"));
  // Equal apart from case: byte order, so upper case first.
  EXPECT_EQ(-1, ComparePathsNoCase("A.c", "a.c"));
  EXPECT_EQ(1, ComparePathsNoCase("a.c", "A.c"));
}

TEST(FilterTreeTest, NestsDirectoriesAndSortsFiles) {
  const std::string paths[] = {"./src/a.cpp", "./src/net/b.cpp", "./main.cpp",
                               "./src/Z.cpp", "./src/B.cpp"};
  FilterNode root("Source", 0);
  InsertFile(&root, "src/a.cpp", paths[0]);
  InsertFile(&root, "src/net/b.cpp", paths[1]);
  InsertFile(&root, "main.cpp", paths[2]);
  InsertFile(&root, "src/Z.cpp", paths[3]);
  InsertFile(&root, "src/B.cpp", paths[4]);
  std::string out;
  WriteFilter(root, &out);
  EXPECT_EQ(
      "  <Filter Name=\"Source\" Filter=\"\">\n"
      "    <Filter Name=\"src\" Filter=\"\">\n"
      "      <Filter Name=\"net\" Filter=\"\">\n"
      "        <File RelativePath=\".\\src\\net\\b.cpp\"/>\n"
      "      </Filter>\n"
      "      <File RelativePath=\".\\src\\a.cpp\"/>\n"
      "      <File RelativePath=\".\\src\\B.cpp\"/>\n"
      "      <File RelativePath=\".\\src\\Z.cpp\"/>\n"
      "    </Filter>\n"
      "    <File RelativePath=\".\\main.cpp\"/>\n"
      "  </Filter>\n",
      out);
}

TEST(FilterTreeTest, TakesComponentsLiterallyAndEscapes) {
  const std::string paths[] = {"/../x.h", "//y.h", "/A&B/<z>.h"};
  FilterNode root("G\"1\"", 0);
  InsertFile(&root, "../x.h", paths[0]);
  InsertFile(&root, "/y.h", paths[1]);
  InsertFile(&root, "A&B/<z>.h", paths[2]);
  std::string out;
  WriteFilter(root, &out);
  EXPECT_EQ(
      "  <Filter Name=\"G&quot;1&quot;\" Filter=\"\">\n"
      "    <Filter Name=\"..\" Filter=\"\">\n"
      "      <File RelativePath=\"\\..\\x.h\"/>\n"
      "    </Filter>\n"
      "    <Filter Name=\"\" Filter=\"\">\n"
      "      <File RelativePath=\"\\\\y.h\"/>\n"
      "    </Filter>\n"
      "    <Filter Name=\"A&amp;B\" Filter=\"\">\n"
      "      <File RelativePath=\"\\A&amp;B\\&lt;z>.h\"/>\n"
      "    </Filter>\n"
      "  </Filter>\n",
      out);
}

std::string DeepPath(int depth) {
  std::string path;
  for (int i = 0; i < depth; ++i)
    path += "d/";
  return path + "f.c";
}

TEST(FilterTreeTest, DeepTreesAreBuiltAndFreedWithoutRecursion) {
  // Far deeper than any stack would allow a recursive walk.
  const std::string path = DeepPath(1000000);
  const std::string full_path = "/" + path;
  FilterNode root("Deep", 0);
  InsertFile(&root, path, full_path);
  const FilterNode* node = &root;
  while (!node->children.empty())
    node = node->children.front().get();
  EXPECT_EQ(1000000, node->depth);
  ASSERT_EQ(1u, node->files.size());
  EXPECT_EQ(&full_path, node->files[0]);
}

TEST(FilterTreeTest, WritesDeepTrees) {
  const int kDepth = 1000;
  const std::string path = DeepPath(kDepth);
  const std::string full_path = "/" + path;
  FilterNode root("Deep", 0);
  InsertFile(&root, path, full_path);
  std::string out;
  WriteFilter(root, &out);
  size_t opened = 0;
  for (size_t at = out.find("<Filter "); at != std::string::npos;
       at = out.find("<Filter ", at + 1))
    ++opened;
  EXPECT_EQ(static_cast<size_t>(kDepth) + 1, opened);
  const std::string deepest = std::string(2 * kDepth + 4, ' ') + "<File ";
  EXPECT_NE(std::string::npos, out.find(deepest));
  EXPECT_EQ("  </Filter>\n", out.substr(out.size() - 12));
}
