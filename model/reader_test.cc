#include "model/reader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/disk.h"
#include "model/model.h"
#include "tests/support/test_support.h"

namespace {

class ReaderTest : public ::testing::Test {
 protected:
  // Loads `xml` as the description main.qev.
  bool Load(const std::string& xml,
            const char* tool = "xcode",
            const char* platform = nullptr) {
    WriteTextFile("main.qev", xml);
    workspace_.reporter = &capture_.reporter();
    workspace_.disk = &SystemDisk();
    workspace_.projectFile = "main.qev";
    if (tool)
      workspace_.tool = tool;
    if (platform)
      workspace_.platform = platform;
    return LoadProjectFile(workspace_);
  }

  Project& project(size_t index = 0) { return *workspace_.projects.at(index); }
  Target& target(size_t index, size_t project_index = 0) {
    return *project(project_index).targets.at(index);
  }
  std::vector<std::string> ConfigurationNames(const Target& t) {
    std::vector<std::string> names;
    for (const Configuration* configuration : t.configurations)
      names.push_back(configuration->name);
    return names;
  }

  ScratchDirectory scratch_;
  CapturingReporter capture_;
  Workspace workspace_;
};

}  // namespace

TEST_F(ReaderTest, RootElementMustBeQevInAnyCase) {
  EXPECT_TRUE(Load("<qev><project name='p'/></qev>"));
  EXPECT_EQ(workspace_.projects.size(), 1u);
  Workspace other;
  other.reporter = &capture_.reporter();
  other.disk = &SystemDisk();
  WriteTextFile("other.qev", "<project name='p'/>");
  other.projectFile = "other.qev";
  EXPECT_FALSE(LoadProjectFile(other));
  EXPECT_EQ(capture_.out(), "");
  EXPECT_NE(capture_.err().find("root element"), std::string::npos);
}

TEST_F(ReaderTest, UnloadableFileIsReportedWithItsPlace) {
  EXPECT_FALSE(Load("<QEV>\n  <project name='p'>\n</QEV>\n"));
  EXPECT_EQ(capture_.out(), "Error: Cannot load QEV file.\n");
  EXPECT_EQ(capture_.err().rfind("main.qev:", 0), 0u) << capture_.err();
  EXPECT_TRUE(capture_.reporter().failed());
}

TEST_F(ReaderTest, CursorsFollowTheStructuralElements) {
  ASSERT_TRUE(Load(R"(<QEV>
    <PREPROCESSOR>LOST</PREPROCESSOR>
    <project name="p">
      <target name="a">
        <PREPROCESSOR>A_DEFAULT</PREPROCESSOR>
        <configuration name="Debug"><PREPROCESSOR>A_DEBUG</PREPROCESSOR></configuration>
        <PREPROCESSOR>A_DEFAULT_AGAIN</PREPROCESSOR>
        <config name="Release" baseconfig="missing"/>
        <PREPROCESSOR>IGNORED</PREPROCESSOR>
        <config/>
        <PREPROCESSOR>A_DEFAULT_LAST</PREPROCESSOR>
      </target>
      <PREPROCESSOR>AFTER_TARGET</PREPROCESSOR>
      <EXPORT>out</EXPORT>
    </project>
  </QEV>)"));
  Target& a = target(0);
  EXPECT_EQ(ConfigurationNames(a),
            (std::vector<std::string>{"default", "Debug"}));
  EXPECT_EQ(a.DefaultConfiguration().defines,
            (TextList{"A_DEFAULT", "A_DEFAULT_AGAIN", "A_DEFAULT_LAST",
                      "AFTER_TARGET"}));
  EXPECT_EQ(a.configurations[1]->defines, (TextList{"A_DEBUG"}));
  EXPECT_EQ(a.configurations[1]->outFile, "a");
  EXPECT_EQ(project().exportDir, "out");
  EXPECT_TRUE(a.exportDir.empty());
}

TEST_F(ReaderTest, ElementsWithoutAPlaceCreateNothingButTheirChildrenAreRead) {
  ASSERT_TRUE(Load(R"(<QEV>
    <target name="orphan"><config name="X"/></target>
    <project name="p">
      <config name="NoTarget"/>
      <project><target name="t"><config name="Debug"/></target></project>
      <target name="u">
        <config name="Debug"><target name="nested"/><CFLAGS>-g</CFLAGS></config>
        <CFLAGS>-O2</CFLAGS>
      </target>
    </project>
  </QEV>)"));
  ASSERT_EQ(workspace_.projects.size(), 1u);
  ASSERT_EQ(project().targets.size(), 3u);
  EXPECT_EQ(target(0).name, "t");
  EXPECT_EQ(target(1).name, "u");
  EXPECT_EQ(target(2).name, "nested");
  // The nested target cleared the target cursor; the configuration element
  // still hands back to its own target's default configuration.
  EXPECT_TRUE(target(1).configurations[1]->cflags.empty());
  EXPECT_EQ(target(2).DefaultConfiguration().cflags, (TextList{"-g"}));
  EXPECT_EQ(target(1).DefaultConfiguration().cflags, (TextList{"-O2"}));
}

TEST_F(ReaderTest, VersionPlatformAndToolFilterWholeSubtrees) {
  ASSERT_TRUE(Load(R"(<QEV>
    <project name="p">
      <target name="t">
        <CFLAGS platform="win32">-win</CFLAGS>
        <CFLAGS platform="ps3">-ps3</CFLAGS>
        <CFLAGS tool="VC8">-vc8</CFLAGS>
        <CFLAGS tool="make">-make</CFLAGS>
        <group platform="PS3"><CFLAGS>-grouped</CFLAGS></group>
        <CFLAGS version="4.9">-v4</CFLAGS>
        <CFLAGS version="5">-v5</CFLAGS>
        <CFLAGS version="1">-v1-after-5</CFLAGS>
        <CFLAGS>-plain</CFLAGS>
      </target>
    </project>
  </QEV>)",
                   "vc8", "WIN32"));
  EXPECT_EQ(target(0).DefaultConfiguration().cflags,
            (TextList{"-win", "-vc8", "-v4", "-plain"}));
  EXPECT_EQ(workspace_.version, 5);
}

TEST_F(ReaderTest, FilterAttributesSkipWhenThereIsNothingToCompare) {
  ASSERT_TRUE(Load(R"(<QEV><project name="p"><target name="t">
        <CFLAGS platform="linux">-p</CFLAGS>
        <CFLAGS tool="make">-t</CFLAGS>
        <CFLAGS>-plain</CFLAGS>
      </target></project></QEV>)",
                   nullptr));
  EXPECT_EQ(target(0).DefaultConfiguration().cflags, (TextList{"-plain"}));
}

TEST_F(ReaderTest, ProjectTakesVersionFilterAndOutputName) {
  workspace_.configurationFilter = {"Release"};
  workspace_.outputName = "Game";
  ASSERT_TRUE(Load(R"(<QEV version="3"><project name="p" version="4"/>
                      <project name="q"/></QEV>)"));
  EXPECT_EQ(project(0).version, 4);
  EXPECT_EQ(project(1).version, 4);
  EXPECT_EQ(project(0).configurationFilter, (TextSet{"Release"}));
  EXPECT_EQ(project(0).outputName, "Game");
}

TEST_F(ReaderTest, BaseConfigurationsCopyAndReplace) {
  ASSERT_TRUE(Load(R"(<QEV><project name="p"><target name="t">
      <config name="Debug" type="lib" show="false"><CFLAGS>-g</CFLAGS><OUTFILE>t_d</OUTFILE></config>
      <config name="Release"><CFLAGS>-O1</CFLAGS></config>
      <config name="Release" baseconfig="DEBUG" show="TRUE"><CFLAGS>-O2</CFLAGS></config>
      <config name="debug" type="dll"/>
    </target></project></QEV>)"));
  Target& t = target(0);
  EXPECT_EQ(ConfigurationNames(t),
            (std::vector<std::string>{"default", "Debug", "Release"}));
  const Configuration& release = *t.configurations[2];
  EXPECT_EQ(release.cflags, (TextList{"-g", "-O2"}));
  EXPECT_EQ(release.outFile, "t_d");
  EXPECT_EQ(release.type, "lib");
  EXPECT_TRUE(release.show);
  // The later element without a show attribute shows Debug again.
  EXPECT_TRUE(t.configurations[1]->show);
  EXPECT_EQ(t.configurations[1]->type, "dll");
  EXPECT_EQ(capture_.err(), "Fount it!\n");
  EXPECT_FALSE(capture_.reporter().failed());
}

TEST_F(ReaderTest, SettingsFollowTheirClearAndTextRules) {
  ASSERT_TRUE(Load(R"(<QEV><project name="p"><target name="t">
      <PREPROCESSOR>A B</PREPROCESSOR>
      <PREPROCESSOR clear="true"/>
      <PREPROCESSOR>C "D E"</PREPROCESSOR>
      <CFLAGS>/W4   /WX</CFLAGS>
      <LIBRARIES>x y</LIBRARIES>
      <LIBRARIES clear="TRUE"><!-- note -->z</LIBRARIES>
      <SEARCHPATHS type="header">inc</SEARCHPATHS>
      <SEARCHPATHS type="lib" root="../sdk">a b</SEARCHPATHS>
      <SEARCHPATHS type="source">src</SEARCHPATHS>
      <SEARCHPATHS type="header" clear="true"/>
      <EXCEPTIONHANDLING>True</EXCEPTIONHANDLING>
      <DISABLEDEFAULTMANIFEST>false</DISABLEDEFAULTMANIFEST>
      <POSTBUILDEVENT>copy a
         b</POSTBUILDEVENT>
      <OUTDIR>bin</OUTDIR>
      <OUTPUTDIRECTORY>bin2</OUTPUTDIRECTORY>
      <IMPORTDIRECTORY>imp</IMPORTDIRECTORY>
      <DEPENDENCIES>core "net lib"</DEPENDENCIES>
      <EXPORT>vc</EXPORT>
    </target></project></QEV>)"));
  Target& t = target(0);
  const Configuration& c = t.DefaultConfiguration();
  EXPECT_EQ(c.defines, (TextList{"C", "D E"}));
  EXPECT_EQ(c.cflags, (TextList{"/W4 /WX"}));
  EXPECT_EQ(c.libraries, TextList{});
  EXPECT_EQ(c.searchPaths.header, (TextList{"inc"}));
  EXPECT_EQ(c.searchPaths.library, (TextList{"../sdk/a", "../sdk/b"}));
  EXPECT_FALSE(c.exceptionHandling);
  EXPECT_TRUE(c.exceptionHandlingSet);
  EXPECT_TRUE(c.disableDefaultManifest);
  EXPECT_EQ(c.postBuildEvent, "copy a b");
  EXPECT_EQ(c.outDir, "bin2");
  EXPECT_EQ(c.impDir, "imp");
  EXPECT_EQ(t.dependencies, (TextList{"core", "net lib"}));
  EXPECT_EQ(t.exportDir, "vc");
}

TEST_F(ReaderTest, FilesAreAddedAndExcludedThroughTheSearch) {
  for (const char* file :
       {"src/a.cpp", "src/b.cpp", "src/main_mac.cpp", "src/inc/x.h", "top.cpp"})
    WriteTextFile(file, "");
  ASSERT_TRUE(Load(R"(<QEV><project name="p"><target name="t">
      <FILES name="Source" root="src">*.cpp -main_mac.cpp</FILES>
      <FILES name="source" root="src">inc/*.h -b.cpp missing.cpp</FILES>
      <FILES>top.cpp</FILES>
      <FILES name="gone" root="no-such-dir">*.cpp</FILES>
    </target></project></QEV>)"));
  Target& t = target(0);
  ASSERT_EQ(t.fileGroups.size(), 2u);
  EXPECT_EQ(t.fileGroups[0].name, "Source");
  std::vector<std::string> full;
  for (const FileEntry& file : t.fileGroups[0].files)
    full.push_back(file.fullPath);
  EXPECT_EQ(full, (std::vector<std::string>{"src/a.cpp", "src/inc/x.h"}));
  EXPECT_EQ(t.fileGroups[0].files[1].path, "inc/x.h");
  EXPECT_EQ(t.fileGroups[1].files[0].fullPath, "/top.cpp");
  EXPECT_NE(capture_.err().find("no-such-dir"), std::string::npos);
  EXPECT_FALSE(capture_.reporter().failed());

  ASSERT_TRUE(Load(R"(<QEV><project name="p"><target name="t">
      <FILES>top.cpp</FILES><FILES name="x" clear="true"/>
    </target></project></QEV>)"));
  EXPECT_TRUE(target(0, 1).fileGroups.empty());
}

TEST_F(ReaderTest, ImportsLoadAreHandedOnAndLendTheirTargets) {
  // Each import is handed to the caller as soon as it is read, with its
  // root as where its paths start; the current directory never changes.
  const std::string top = SystemDisk().CurrentDirectory();
  std::vector<std::string> handed;
  workspace_.exportImport = [&](Workspace& imported) {
    EXPECT_EQ(SystemDisk().CurrentDirectory(), top);
    handed.push_back(imported.projects[0]->name + " in ./" +
                     imported.projects[0]->baseDirectory);
    return true;
  };
  WriteTextFile("a/outer.qev", R"(<QEV><project name="outer">
      <target name="Core"/><target name="core"/>
      <import root="b">inner.qev</import>
    </project></QEV>)");
  WriteTextFile("a/b/inner.qev", R"(<QEV><project name="inner">
      <target name="net"/></project></QEV>)");
  ASSERT_TRUE(Load(R"(<QEV><project name="p">
      <target name="core"/>
      <import file="outer.qev" root="a"/>
      <import file="outer.qev" root="a"/>
    </project></QEV>)"));
  std::vector<std::string> imported;
  for (const Target* t : project().importedTargets)
    imported.push_back(t->name + "@" + t->importPath);
  EXPECT_EQ(imported, (std::vector<std::string>{"Core@a/", "net@a/b/"}));
  // The second import of outer.qev reuses the first.
  EXPECT_EQ(workspace_.imports.size(), 1u);
  EXPECT_EQ(capture_.out(), "");
  EXPECT_EQ(handed,
            (std::vector<std::string>{"inner in ./a/b", "outer in ./a"}));
}

TEST_F(ReaderTest, ADescriptionImportedTwiceIsReadOnceAndLendsCopies) {
  WriteTextFile("x/one.qev", R"(<QEV><project name="one">
      <import root="../shared">s.qev</import></project></QEV>)");
  WriteTextFile("y/two.qev", R"(<QEV><project name="two">
      <import root="../shared">s.qev</import></project></QEV>)");
  WriteTextFile("shared/s.qev", R"(<QEV><project name="s">
      <target name="lib"><configuration name="Debug"/></target>
    </project></QEV>)");
  int exported = 0;
  workspace_.exportImport = [&](Workspace&) { return ++exported > 0; };
  ASSERT_TRUE(Load(R"(<QEV><project name="p">
      <import root="x">one.qev</import>
      <import root="y">two.qev</import>
    </project></QEV>)"));
  EXPECT_EQ(exported, 3);
  ASSERT_EQ(workspace_.imports.size(), 2u);
  const Project& one = *workspace_.imports[0]->projects[0];
  const Project& two = *workspace_.imports[1]->projects[0];
  ASSERT_EQ(one.importedTargets.size(), 1u);
  ASSERT_EQ(two.importedTargets.size(), 1u);
  EXPECT_NE(one.importedTargets[0], two.importedTargets[0]);
  EXPECT_EQ(two.importedTargets[0]->importPath, "../shared/");
  EXPECT_NE(two.importedTargets[0]->FindConfiguration("debug"), nullptr);
  ASSERT_EQ(project().importedTargets.size(), 1u);
  EXPECT_EQ(project().importedTargets[0]->importPath, "x/../shared/");
}

TEST_F(ReaderTest, FailedImportsAreReportedAndReadingGoesOn) {
  WriteTextFile("self.qev",
                "<QEV><project name='s'><import>self.qev</import>"
                "<target name='after'/></project></QEV>");
  WriteTextFile("x.qev",
                "<QEV><project name='x'><import>y.qev</import>"
                "</project></QEV>");
  WriteTextFile("y.qev",
                "<QEV><project name='y'><import>main.qev</import>"
                "<target name='y1'/></project></QEV>");
  ASSERT_TRUE(Load(R"(<QEV><project name="p">
      <import>missing.qev</import>
      <import root="nowhere">x.qev</import>
      <import>self.qev</import>
      <import>x.qev</import>
      <target name="t"/>
    </project></QEV>)"));
  EXPECT_EQ(capture_.out(),
            "Error: Cannot load QEV file.\n"
            "Error: Failed to parse \"missing.qev\".\n"
            "Error: Failed to parse \"x.qev\".\n"
            "Error: Failed to parse \"self.qev\".\n"
            "Error: Failed to parse \"main.qev\".\n")
      << capture_.out();
  EXPECT_TRUE(capture_.reporter().failed());
  std::vector<std::string> imported;
  for (const Target* t : project().importedTargets)
    imported.push_back(t->name);
  EXPECT_EQ(imported, (std::vector<std::string>{"after", "y1"}));
  EXPECT_EQ(project().targets.size(), 1u);
  EXPECT_NE(capture_.err().find("import cycle"), std::string::npos);
}

TEST_F(ReaderTest, ProjectsRecordWhatTheyWereReadFrom) {
  WriteTextFile("ext/ext.qev", R"(<QEV><project name="ext">
      <target name="lib"><FILES root="src">*.c gen/*.c</FILES></target>
    </project></QEV>)");
  WriteTextFile("ext/src/gen/b.c", "");
  WriteTextFile("abs/x/c.c", "");
  // The model keeps paths with forward slashes on every host.
  std::string here = scratch_.path();
  std::replace(here.begin(), here.end(), '\\', '/');
  workspace_.arguments = {"qev", "-t", "xcode"};
  workspace_.startDirectory = "/start";
  ASSERT_TRUE(Load(R"(<QEV><project name="p">
      <import root="ext" file="ext.qev"/>
      <target name="app">
        <FILES>*.cpp -skip.cpp</FILES>
        <FILES root=")" +
                   here + R"(/abs">x/*.c</FILES>
        <FILES root="missing">*.c</FILES>
      </target>
    </project></QEV>)"));
  const ProjectOrigin& origin = project().origin;
  EXPECT_EQ(origin.startDirectory, "/start");
  EXPECT_EQ(origin.arguments, workspace_.arguments);
  // The imported description and its directories come along.
  EXPECT_EQ(origin.descriptionFiles,
            (TextSet{here + "/ext/ext.qev", here + "/main.qev"}));
  EXPECT_EQ(origin.listedDirectories,
            (TextSet{here, here + "/abs/x", here + "/ext/src",
                     here + "/ext/src/gen"}));
}
