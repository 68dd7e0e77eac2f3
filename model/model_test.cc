#include "model/model.h"

#include <gtest/gtest.h>

namespace {

// Search results as a file search reports them.
std::vector<FileMatch> Found(std::initializer_list<const char*> paths) {
  std::vector<FileMatch> matches;
  for (const char* path : paths)
    matches.push_back({path});
  return matches;
}

std::vector<std::string> Names(const Target& target) {
  std::vector<std::string> names;
  for (const Configuration* configuration : target.configurations)
    names.push_back(configuration->name);
  return names;
}

std::vector<std::string> Paths(const FileGroup& group) {
  std::vector<std::string> paths;
  for (const FileEntry& file : group.files)
    paths.push_back(file.fullPath);
  return paths;
}

}  // namespace

TEST(TargetTest, StartsWithItsDefaultConfigurationOnly) {
  Project project("p");
  Target target("core", &project);
  ASSERT_EQ(target.configurations.size(), 1u);
  EXPECT_EQ(target.configurations[0], &target.DefaultConfiguration());
  EXPECT_EQ(target.DefaultConfiguration().name, "default");
  EXPECT_TRUE(target.DefaultConfiguration().type.empty());
  EXPECT_TRUE(target.DefaultConfiguration().outFile.empty());
  EXPECT_TRUE(target.DefaultConfiguration().show);
  EXPECT_TRUE(target.DefaultConfiguration().exceptionHandling);
}

TEST(TargetTest, FindOrCreateMatchesIgnoringCaseAndSetsTypeOnlyWhenGiven) {
  Project project("p");
  Target target("core", &project);
  Configuration& debug =
      target.FindOrCreateConfiguration("Debug", std::nullopt);
  EXPECT_EQ(debug.outFile, "core");
  EXPECT_TRUE(debug.type.empty());

  Configuration& again = target.FindOrCreateConfiguration("debug", "lib");
  EXPECT_EQ(&again, &debug);
  EXPECT_EQ(debug.name, "Debug");
  EXPECT_EQ(debug.type, "lib");
  target.FindOrCreateConfiguration("DEBUG", std::nullopt);
  EXPECT_EQ(debug.type, "lib");
  // An empty type is a type too.
  target.FindOrCreateConfiguration("Debug", std::string());
  EXPECT_TRUE(debug.type.empty());

  EXPECT_EQ(&target.FindOrCreateConfiguration("DEFAULT", std::nullopt),
            &target.DefaultConfiguration());
  EXPECT_EQ(Names(target), (std::vector<std::string>{"default", "Debug"}));
}

TEST(TargetTest, DerivedConfigurationCopiesEverythingAndReplacesSameName) {
  Project project("p");
  Target target("core", &project);
  Configuration& debug = target.FindOrCreateConfiguration("Debug", "lib");
  debug.outFile = "core_d";
  debug.AddDefine("DEBUG");
  debug.AddSearchPath("inc", kLibraryPath);
  debug.exceptionHandlingSet = true;
  debug.disableDefaultManifest = true;
  debug.show = false;
  target.FindOrCreateConfiguration("Release", std::nullopt);

  bool replaced = true;
  Configuration& profile =
      target.DeriveConfiguration(debug, "Profile", std::nullopt, &replaced);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(profile.name, "Profile");
  EXPECT_EQ(profile.type, "lib");
  EXPECT_EQ(profile.outFile, "core_d");
  EXPECT_EQ(profile.defines, (TextList{"DEBUG"}));
  EXPECT_EQ(profile.searchPaths.library, (TextList{"inc"}));
  EXPECT_TRUE(profile.exceptionHandlingSet);
  EXPECT_TRUE(profile.disableDefaultManifest);
  EXPECT_FALSE(profile.show);

  Configuration& release =
      target.DeriveConfiguration(debug, "RELEASE", "exe", &replaced);
  EXPECT_TRUE(replaced);
  EXPECT_EQ(release.type, "exe");
  EXPECT_EQ(Names(target), (std::vector<std::string>{"default", "Debug",
                                                     "Profile", "RELEASE"}));

  // Deriving a configuration from itself replaces the base.
  Configuration& debug2 =
      target.DeriveConfiguration(debug, "Debug", std::nullopt, &replaced);
  EXPECT_TRUE(replaced);
  EXPECT_EQ(debug2.defines, (TextList{"DEBUG"}));
  EXPECT_EQ(Names(target), (std::vector<std::string>{"default", "Profile",
                                                     "RELEASE", "Debug"}));
}

TEST(TargetTest, DerivedDefaultReplacesTheListEntryButNotTheEmbeddedOne) {
  Project project("p");
  Target target("core", &project);
  target.DefaultConfiguration().AddDefine("BASE");
  bool replaced = false;
  Configuration& derived = target.DeriveConfiguration(
      target.DefaultConfiguration(), "default", "lib", &replaced);
  EXPECT_TRUE(replaced);
  EXPECT_NE(&derived, &target.DefaultConfiguration());
  EXPECT_EQ(target.configurations.size(), 1u);
  EXPECT_EQ(target.configurations[0], &derived);
  EXPECT_EQ(target.DefaultConfiguration().defines, (TextList{"BASE"}));
}

TEST(TargetTest, FilesGoToGroupsMatchedIgnoringCase) {
  Project project("p");
  Target target("core", &project);
  target.AddFile("Src", "code", "a.cpp");
  target.AddFile("src", "code", "a.cpp");
  target.AddFile("src", "", "b.cpp");
  target.AddFile("Other", "code", "c.cpp");
  ASSERT_EQ(target.fileGroups.size(), 2u);
  EXPECT_EQ(target.fileGroups[0].name, "Src");
  EXPECT_EQ(Paths(target.fileGroups[0]),
            (std::vector<std::string>{"code/a.cpp", "code/a.cpp", "/b.cpp"}));

  target.RemoveFile("SRC", "code", "a.cpp");
  EXPECT_EQ(Paths(target.fileGroups[0]), (std::vector<std::string>{"/b.cpp"}));
  target.RemoveFile("Src", "", "b.cpp");
  EXPECT_TRUE(target.fileGroups[0].files.empty());
  // Removing never creates a group, and an emptied group stays.
  target.RemoveFile("missing", "", "b.cpp");
  EXPECT_EQ(target.fileGroups.size(), 2u);
}

TEST(ProjectTest, LookupsGiveTheFirstTargetOfAName) {
  Project project("p");
  auto first = std::make_unique<Target>("core", &project);
  Target* first_core = first.get();
  project.AddTarget(std::move(first));
  project.AddTarget(std::make_unique<Target>("core", &project));
  project.AddTarget(std::make_unique<Target>("Core", &project));
  EXPECT_EQ(project.FindTarget("core"), first_core);
  EXPECT_EQ(project.FindTarget("Core"), project.TargetAt(2));
  EXPECT_EQ(project.FindTarget("CORE"), nullptr);
  EXPECT_EQ(project.TargetAt(3), nullptr);

  Project other("o");
  Target imported("net", &other);
  project.AddImportedTarget(&imported);
  EXPECT_EQ(project.FindImportedTarget("net"), &imported);
  EXPECT_EQ(project.FindTarget("net"), nullptr);
  EXPECT_EQ(project.ImportedTargetAt(1), nullptr);
}

TEST(FileEntryTest, AbsolutePathIsUsedAsItIs) {
  EXPECT_EQ(FileEntry("/opt/x.cpp", "../src").fullPath, "/opt/x.cpp");
  EXPECT_EQ(FileEntry("C:/sdk/x.h", "../src").fullPath, "C:/sdk/x.h");
  EXPECT_EQ(FileEntry("d:\\sdk/x.h", "src").fullPath, "d:\\sdk/x.h");
  EXPECT_EQ(FileEntry("x.cpp", "../src").fullPath, "../src/x.cpp");
  EXPECT_EQ(FileEntry("x.cpp", "").fullPath, "/x.cpp");
  Project project("p");
  Target target("t", &project);
  target.AddFiles("g", "../src", Found({"/opt/x.cpp", "y.cpp"}));
  target.RemoveFiles("g", "../src", Found({"/opt/x.cpp"}));
  ASSERT_EQ(target.fileGroups[0].files.size(), 1u);
  EXPECT_EQ(target.fileGroups[0].files[0].fullPath, "../src/y.cpp");
}
