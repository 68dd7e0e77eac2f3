// The strict reader accepts what the VC17 exporter writes and rejects each
// kind of fault that Visual Studio would reject or misread.

#include "tests/vc17_checker/vc17_checker.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/disk.h"
#include "exporters/vc17/vc17_exporter.h"
#include "model/model.h"
#include "tests/support/test_support.h"

namespace {

// Writes a solution with a library and a program that depends on it, into
// the current directory (the program's files below "app").
void WriteSample() {
  WriteTextFile("src/core.cpp", "");
  WriteTextFile("src/net/net.h", "");
  WriteTextFile("app/main.cpp", "");
  Project project("Sample");
  auto core = std::make_unique<Target>("core", &project);
  core->FindOrCreateConfiguration("Debug", std::string("lib"));
  core->FindOrCreateConfiguration("Release", std::string("lib"));
  core->AddFile("Source", "src", "core.cpp");
  core->AddFile("Source", "src", "net/net.h");
  auto app = std::make_unique<Target>("app", &project);
  app->SetExportDir("app");
  app->FindOrCreateConfiguration("Debug", std::string("exe"));
  app->FindOrCreateConfiguration("Release", std::string("exe"));
  app->AddFile("", "", "app/main.cpp");
  app->AddDependency("core");
  project.AddTarget(std::move(core));
  project.AddTarget(std::move(app));
  CapturingReporter capture;
  VC17Exporter exporter(ExportContext{SystemDisk(), capture.reporter()});
  ASSERT_TRUE(exporter.Export(project, std::string("x64")));
}

// Replaces the first `from` in `path` by `to`.
void Edit(const std::string& path,
          const std::string& from,
          const std::string& to) {
  std::string text = ReadTextFile(path);
  size_t at = text.find(from);
  ASSERT_NE(std::string::npos, at) << from << " not in " << path;
  text.replace(at, from.size(), to);
  WriteTextFile(path, text);
}

// The problems found below the scratch directory, joined.
std::string Problems() {
  CheckOptions options;
  options.sourcesExist = true;
  std::string joined;
  for (const std::string& problem : CheckVC17Tree(".", options))
    joined += problem + "\n";
  return joined;
}

TEST(VC17CheckerTest, AcceptsTheExportersFiles) {
  ScratchDirectory scratch;
  WriteSample();
  int files = 0;
  EXPECT_TRUE(CheckVC17Tree(".", CheckOptions{true}, &files).empty())
      << Problems();
  EXPECT_EQ(5, files);
}

TEST(VC17CheckerTest, RejectsDocumentFaults) {
  ScratchDirectory scratch;
  WriteSample();
  Edit("core.vcxproj", "<RootNamespace>core", "<RootNamespace>a & b");
  Edit("app/app.vcxproj", "xmlns=\"http://schemas.microsoft.com/",
       "xmlns=\"http://example.com/");
  std::string problems = Problems();
  EXPECT_NE(std::string::npos, problems.find("core.vcxproj: not well-formed"))
      << problems;
  EXPECT_NE(std::string::npos, problems.find("lacks the MSBuild namespace"))
      << problems;
}

TEST(VC17CheckerTest, RejectsElementsOutOfOrderAndForeignConditions) {
  ScratchDirectory scratch;
  WriteSample();
  Edit("core.vcxproj",
       "  <Import Project=\"$(VCTargetsPath)\\Microsoft.Cpp.Default.props\" "
       "/>\n",
       "");
  Edit("core.vcxproj", "<PropertyGroup Label=\"UserMacros\" />",
       "<PropertyGroup Label=\"UserMacros\" />\n"
       "  <Import Project=\"$(VCTargetsPath)\\Microsoft.Cpp.Default.props\" "
       "/>");
  Edit("app/app.vcxproj", "=='Release|x64'\" Label=\"Configuration\"",
       "=='Release|Win32'\" Label=\"Configuration\"");
  std::string problems = Problems();
  EXPECT_NE(std::string::npos, problems.find("out of order")) << problems;
  EXPECT_NE(std::string::npos, problems.find("undeclared pair Release|Win32"))
      << problems;
}

TEST(VC17CheckerTest, RejectsConfigurationsTheOtherSideLacks) {
  ScratchDirectory scratch;
  WriteSample();
  // The solution maps a configuration onto one the project lacks, and a
  // project declares one the solution does not know.
  Edit("Sample.sln", ".Release|x64.ActiveCfg = Release|x64",
       ".Release|x64.ActiveCfg = Profile|x64");
  Edit("app/app.vcxproj", "<ItemGroup Label=\"ProjectConfigurations\">",
       "<ItemGroup Label=\"ProjectConfigurations\">\n"
       "    <ProjectConfiguration Include=\"Extra|x64\">\n"
       "      <Configuration>Extra</Configuration>\n"
       "      <Platform>x64</Platform>\n"
       "    </ProjectConfiguration>");
  std::string problems = Problems();
  EXPECT_NE(std::string::npos, problems.find("to Profile|x64, which its"))
      << problems;
  EXPECT_NE(std::string::npos,
            problems.find("configuration Extra|x64 is not in the solution"))
      << problems;
}

TEST(VC17CheckerTest, RejectsReferencesAndPathsThatLeadElsewhere) {
  ScratchDirectory scratch;
  WriteSample();
  std::string core_guid = ReadTextFile("core.vcxproj");
  core_guid = core_guid.substr(core_guid.find("<ProjectGuid>{") + 14, 36);
  Edit("app/app.vcxproj", "<Project>{" + core_guid,
       "<Project>{00000000-0000-0000-0000-000000000001");
  Edit("Sample.sln", "\"app\\app.vcxproj\"", "\"app.vcxproj\"");
  std::string problems = Problems();
  EXPECT_NE(std::string::npos,
            problems.find("gives {00000000-0000-0000-0000-000000000001}"))
      << problems;
  EXPECT_NE(std::string::npos,
            problems.find("the project path app.vcxproj leads to no file"))
      << problems;
}

TEST(VC17CheckerTest, RejectsFiltersThatDifferFromTheProject) {
  ScratchDirectory scratch;
  WriteSample();
  Edit("core.vcxproj.filters", "<Filter Include=\"Source\">",
       "<Filter Include=\"Src\">");
  Edit("app/app.vcxproj.filters", "<ClCompile Include=\"main.cpp\"",
       "<ClCompile Include=\"other.cpp\"");
  std::string problems = Problems();
  EXPECT_NE(std::string::npos,
            problems.find("the parent of the filter Source\\net"))
      << problems;
  EXPECT_NE(std::string::npos, problems.find("in the undeclared filter Source"))
      << problems;
  EXPECT_NE(std::string::npos,
            problems.find("app.vcxproj.filters: does not list exactly"))
      << problems;
}

TEST(VC17CheckerTest, RejectsItemsThatNameNoFile) {
  ScratchDirectory scratch;
  WriteSample();
  std::remove("src/core.cpp");
  std::string problems = Problems();
  EXPECT_NE(std::string::npos,
            problems.find("the item src\\core.cpp names no file"))
      << problems;
}

}  // namespace
