#include "exporters/vc17/project_items.h"

#include <gtest/gtest.h>

#include "model/model.h"

namespace {

std::string Describe(const ProjectItems& items) {
  std::string text;
  for (const std::string& filter : items.filters)
    text += "filter " + filter + "\n";
  for (const ProjectItem& item : items.items)
    text += std::string(ItemKindName(item.kind)) + " " + item.include + " [" +
            item.filter + "]\n";
  return text;
}

TEST(VC17ProjectItemsTest, KindsByExtension) {
  EXPECT_EQ(ItemKind::kClCompile, ItemKindOf("a.c"));
  EXPECT_EQ(ItemKind::kClCompile, ItemKindOf("dir.h/A.CPP"));
  EXPECT_EQ(ItemKind::kClCompile, ItemKindOf("b.cc"));
  EXPECT_EQ(ItemKind::kClCompile, ItemKindOf("b.cxx"));
  EXPECT_EQ(ItemKind::kClInclude, ItemKindOf("x\\b.Hpp"));
  EXPECT_EQ(ItemKind::kClInclude, ItemKindOf("b.inl"));
  EXPECT_EQ(ItemKind::kResourceCompile, ItemKindOf("app.RC"));
  EXPECT_EQ(ItemKind::kNone, ItemKindOf("README"));
  EXPECT_EQ(ItemKind::kNone, ItemKindOf("src.c/notes.txt"));
  EXPECT_EQ(ItemKind::kNone, ItemKindOf("a.cs"));
}

TEST(VC17ProjectItemsTest, FoldersOfTheVc8TreeBecomeFilters) {
  Project project("P");
  Target target("t", &project);
  target.AddFile("Source", "src", "net/b.cpp");
  target.AddFile("Source", "src", "a.cpp");
  target.AddFile("Source", "src", "net/deep/c.h");
  // The same file on Windows; the first in the order of the VC8 tree stays.
  target.AddFile("Source", "src", "A.cpp");
  target.AddFile("Source/Gen", ".", "./gen.cpp");
  target.AddFile("", "", "main.cpp");
  target.AddFile("", "", "tools/tool.cpp");
  target.AddFile("Other", "", "src/a.cpp");  // listed already
  ProjectItems items = CollectProjectItems(target, "/w", "/w/build");
  EXPECT_EQ(
      "filter Source\n"
      "filter Source\\net\n"
      "filter Source\\net\\deep\n"
      "filter Source\\Gen\n"
      "filter tools\n"
      "filter Other\n"
      "filter Other\\src\n"
      "ClInclude ..\\src\\net\\deep\\c.h [Source\\net\\deep]\n"
      "ClCompile ..\\src\\net\\b.cpp [Source\\net]\n"
      "ClCompile ..\\src\\A.cpp [Source]\n"
      "ClCompile ..\\gen.cpp [Source\\Gen]\n"
      "ClCompile ..\\tools\\tool.cpp [tools]\n"
      "ClCompile ..\\main.cpp []\n",
      Describe(items));
}

TEST(VC17ProjectItemsTest, FoldersDifferingInCaseShareTheFirstSpelling) {
  Project project("P");
  Target target("t", &project);
  target.AddFile("Source", "", "Net/a.cpp");
  target.AddFile("Source", "", "net/b.cpp");
  target.AddFile("Source", "", "/abs/c.cpp");
  ProjectItems items = CollectProjectItems(target, "/w", "/w");
  EXPECT_EQ(
      "filter Source\n"
      "filter Source\\Net\n"
      "filter Source\\abs\n"
      "ClCompile Net\\a.cpp [Source\\Net]\n"
      "ClCompile net\\b.cpp [Source\\Net]\n"
      "ClCompile /abs/c.cpp [Source\\abs]\n",
      Describe(items));
}

}  // namespace

namespace {

TEST(VC17ProjectItemsTest, NamesFoundOnDiskStayBelowTheirRoot) {
  Project project("P");
  Target target("t", &project);
  target.AddFiles("Source", "src",
                  {{"c:d.cpp"}, {"$(x).cpp"}, {"dir.cpp", true}});
  target.AddFiles("Loose", "", {{"c:e.cpp"}});
  target.AddFiles("Abs", "src", {{"/opt/x.h"}});
  ProjectItems items = CollectProjectItems(target, "/w", "/w/vc");
  EXPECT_EQ(Describe(items),
            "filter Source\n"
            "filter Loose\n"
            "filter Abs\n"
            "filter Abs\\opt\n"
            "ClCompile ..\\src\\$(x).cpp [Source]\n"
            "ClCompile ..\\src\\c:d.cpp [Source]\n"
            "ClCompile ..\\c:e.cpp [Loose]\n"
            "ClInclude /opt/x.h [Abs\\opt]\n");
  // A bare name that reads as a drive is named from the project's directory.
  items = CollectProjectItems(target, "/w", "/w");
  EXPECT_EQ(items.items[2].include, ".\\c:e.cpp");
}

}  // namespace
