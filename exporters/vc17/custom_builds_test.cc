#include "exporters/vc17/custom_builds.h"

#include <gtest/gtest.h>

#include "exporters/vc17/project_file_writer.h"
#include "model/model.h"

namespace {

GenerateStep Step(const std::string& command,
                  TextList inputs,
                  TextList outputs) {
  GenerateStep step;
  step.command = command;
  step.inputs = std::move(inputs);
  step.outputs = std::move(outputs);
  return step;
}

class VC17CustomBuildTest : public testing::Test {
 protected:
  VC17CustomBuildTest() : project_("P"), target_("app", &project_) {}

  Configuration& Add(const std::string& name) {
    Configuration& config = target_.FindOrCreateConfiguration(name, "console");
    planned_.push_back({&target_.DefaultConfiguration(), &config});
    return config;
  }

  CustomBuilds Collect() {
    return CollectCustomBuilds(target_, planned_, "/w", "/w/vc", "/w/app.qev");
  }

  Project project_;
  Target target_;
  std::vector<PlannedConfiguration> planned_;
};

TEST_F(VC17CustomBuildTest, StepsSitOnTheirFirstInputOrTheDescription) {
  Add("Debug");
  Add("Release");
  GenerateStep tables = Step("python3 ../gen.py", {"gen.py", "tables.txt"},
                             {"gen/tables.cpp", "gen/tables.h"});
  tables.root = "tools";
  target_.DefaultConfiguration().generateSteps.push_back(tables);
  // No input at all: the description carries the step.
  target_.DefaultConfiguration().generateSteps.push_back(
      Step("date > stamp.txt", {}, {"stamp.txt"}));
  CustomBuilds builds = Collect();
  ASSERT_EQ(2u, builds.items.size());
  EXPECT_EQ("..\\tools\\gen.py", builds.items[0].include);
  ASSERT_EQ(1u, builds.items[0].steps.size());
  const CustomBuildStep& step = builds.items[0].steps[0];
  EXPECT_EQ("", step.configuration);
  EXPECT_EQ(std::vector<std::string>{"..\\tools\\tables.txt"},
            step.additionalInputs);
  EXPECT_EQ((std::vector<std::string>{"gen\\tables.cpp", "gen\\tables.h"}),
            step.outputs);
  EXPECT_EQ("..\\app.qev", builds.items[1].include);
  // The filters list both items and the one generated file that compiles.
  ASSERT_EQ(3u, builds.projectItems.size());
  EXPECT_EQ(ItemKind::kCustomBuild, builds.projectItems[0].kind);
  EXPECT_EQ(ItemKind::kClCompile, builds.projectItems[1].kind);
  EXPECT_EQ("gen\\tables.cpp", builds.projectItems[1].include);
  EXPECT_TRUE(builds.projectItems[1].onlyIn.empty());
  EXPECT_EQ(ItemKind::kCustomBuild, builds.projectItems[2].kind);
}

TEST_F(VC17CustomBuildTest, ConfigurationsShareAFileAndOthersLeaveItOut) {
  Add("Debug").generateSteps.push_back(
      Step("gen --debug", {"gen.py"}, {"out/version.cpp"}));
  Add("Release").generateSteps.push_back(
      Step("gen --release", {"gen.py"}, {"out/version.cpp"}));
  Add("Profile");
  // A second step of Debug moves on to its next free input; with none left
  // it runs together with the step of its first input.
  target_.FindConfiguration("Debug")->generateSteps.push_back(
      Step("other", {"gen.py", "more.txt"}, {"more.cpp"}));
  target_.FindConfiguration("Debug")->generateSteps.push_back(
      Step("lost", {"gen.py"}, {"lost.cpp"}));
  target_.FindConfiguration("Debug")->generateSteps.back().line = 12;
  // The description carries a step without inputs.
  target_.DefaultConfiguration().generateSteps.push_back(
      Step("first", {}, {"a.txt"}));
  CustomBuilds builds = Collect();
  ASSERT_EQ(3u, builds.items.size());
  EXPECT_EQ("..\\app.qev", builds.items[0].include);
  EXPECT_EQ("..\\gen.py", builds.items[1].include);
  EXPECT_EQ(3u, builds.items[1].steps.size());
  EXPECT_EQ("..\\more.txt", builds.items[2].include);

  ProjectFileInput input;
  input.target = &target_;
  input.platform = "x64";
  input.currentDirectory = "/w";
  input.directory = "/w/vc";
  input.configurations = planned_;
  input.customBuilds = builds.items;
  input.items.items = builds.projectItems;
  std::string text = FormatProjectFile(input);
  EXPECT_NE(std::string::npos,
            text.find("    <CustomBuild Include=\"..\\gen.py\">\n"
                      "      <Command Condition=\"'$(Configuration)|$(Platform)"
                      "'=='Debug|x64'\">gen --debug\nlost</Command>\n"
                      "      <Outputs Condition=\"'$(Configuration)|$(Platform)"
                      "'=='Debug|x64'\">out\\version.cpp;lost.cpp;%(Outputs)"
                      "</Outputs>\n"));
  EXPECT_NE(std::string::npos,
            text.find("<Command Condition=\"'$(Configuration)|$(Platform)'=='"
                      "Release|x64'\">gen --release</Command>"));
  EXPECT_NE(std::string::npos,
            text.find("<ExcludedFromBuild Condition=\"'$(Configuration)|$("
                      "Platform)'=='Profile|x64'\">true</ExcludedFromBuild>\n"
                      "    </CustomBuild>"));
  // The file both make is compiled by both, left out of Profile alone.
  size_t generated = text.find("<ClCompile Include=\"out\\version.cpp\">");
  ASSERT_NE(std::string::npos, generated);
  std::string item =
      text.substr(generated, text.find("</ClCompile>", generated) - generated);
  EXPECT_EQ(std::string::npos, item.find("Debug|x64"));
  EXPECT_EQ(std::string::npos, item.find("Release|x64"));
  EXPECT_NE(std::string::npos, item.find("Profile|x64"));
  // The step set on the target runs in every configuration.
  EXPECT_NE(std::string::npos,
            text.find("<CustomBuild Include=\"..\\app.qev\">\n"
                      "      <Command>first</Command>\n"
                      "      <Outputs>a.txt;%(Outputs)</Outputs>\n"));
}

}  // namespace
