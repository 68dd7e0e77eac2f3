#include "exporters/vc17/solution_writer.h"

#include <gtest/gtest.h>

#include <memory>

#include "exporters/vc17/solution_plan.h"
#include "model/model.h"

namespace {

TEST(VC17SolutionWriterTest, EntriesSectionsAndPaths) {
  Project project("P");
  project.AddTarget(std::make_unique<Target>("core", &project));
  project.AddTarget(std::make_unique<Target>("app", &project));
  Target& core = *project.targets[0];
  core.SetExportDir("build/core");
  core.FindOrCreateConfiguration("Debug", std::nullopt);
  core.FindOrCreateConfiguration("Release", std::nullopt);
  Target& app = *project.targets[1];
  app.FindOrCreateConfiguration("Debug", std::nullopt);
  SolutionPlan plan = PlanSolution(project, "/w", "build/sln",
                                   [](const Target& t) { return t.exportDir; });
  plan.projects[0].guid = "11111111-1111-1111-1111-111111111111";
  plan.projects[1].guid = "22222222-2222-2222-2222-222222222222";
  EXPECT_EQ(
      "\xEF\xBB\xBF\r\n"
      "Microsoft Visual Studio Solution File, Format Version 12.00\r\n"
      "# Visual Studio Version 17\r\n"
      "VisualStudioVersion = 17.0.31903.59\r\n"
      "MinimumVisualStudioVersion = 10.0.40219.1\r\n"
      "Project(\"{8BC9CEB8-8B4A-11D0-8D11-00A0C91BC942}\") = \"core\", "
      "\"..\\core\\core.vcxproj\", "
      "\"{11111111-1111-1111-1111-111111111111}\"\r\n"
      "EndProject\r\n"
      "Project(\"{8BC9CEB8-8B4A-11D0-8D11-00A0C91BC942}\") = \"app\", "
      "\"..\\..\\app.vcxproj\", \"{22222222-2222-2222-2222-222222222222}\"\r\n"
      "EndProject\r\n"
      "Global\r\n"
      "\tGlobalSection(SolutionConfigurationPlatforms) = preSolution\r\n"
      "\t\tDebug|ARM64 = Debug|ARM64\r\n"
      "\t\tRelease|ARM64 = Release|ARM64\r\n"
      "\tEndGlobalSection\r\n"
      "\tGlobalSection(ProjectConfigurationPlatforms) = postSolution\r\n"
      "\t\t{11111111-1111-1111-1111-111111111111}.Debug|ARM64.ActiveCfg = "
      "Debug|ARM64\r\n"
      "\t\t{11111111-1111-1111-1111-111111111111}.Debug|ARM64.Build.0 = "
      "Debug|ARM64\r\n"
      "\t\t{11111111-1111-1111-1111-111111111111}.Release|ARM64.ActiveCfg = "
      "Release|ARM64\r\n"
      "\t\t{11111111-1111-1111-1111-111111111111}.Release|ARM64.Build.0 = "
      "Release|ARM64\r\n"
      "\t\t{22222222-2222-2222-2222-222222222222}.Debug|ARM64.ActiveCfg = "
      "Debug|ARM64\r\n"
      "\t\t{22222222-2222-2222-2222-222222222222}.Debug|ARM64.Build.0 = "
      "Debug|ARM64\r\n"
      "\t\t{22222222-2222-2222-2222-222222222222}.Release|ARM64.ActiveCfg = "
      "Debug|ARM64\r\n"
      "\tEndGlobalSection\r\n"
      "\tGlobalSection(SolutionProperties) = preSolution\r\n"
      "\t\tHideSolutionNode = FALSE\r\n"
      "\tEndGlobalSection\r\n"
      "\tGlobalSection(ExtensibilityGlobals) = postSolution\r\n"
      "\t\tSolutionGuid = {33333333-3333-3333-3333-333333333333}\r\n"
      "\tEndGlobalSection\r\n"
      "EndGlobal\r\n",
      FormatSolution(plan, "ARM64", "33333333-3333-3333-3333-333333333333"));
}

}  // namespace
