#include "exporters/vc17/solution_plan.h"

#include <gtest/gtest.h>

#include <memory>

#include "exporters/vs_common/guid.h"
#include "model/model.h"

namespace {

std::vector<std::string> Names(const std::vector<PlannedConfiguration>& list) {
  std::vector<std::string> names;
  for (const PlannedConfiguration& planned : list)
    names.push_back(planned.config->name);
  return names;
}

Target& AddTarget(Project* project, const std::string& name) {
  project->AddTarget(std::make_unique<Target>(name, project));
  return *project->targets.back();
}

SolutionPlan Plan(const Project& project) {
  return PlanSolution(project, "/w", "vs",
                      [](const Target& target) { return target.exportDir; });
}

TEST(VC17SolutionPlanTest, ProjectConfigurationsFollowTheVc8Rules) {
  Project project("P");
  Target& target = AddTarget(&project, "t");
  target.FindOrCreateConfiguration("Debug", std::nullopt);
  target.FindOrCreateConfiguration("Hidden", std::nullopt).show = false;
  target.FindOrCreateConfiguration("Release", std::nullopt);
  std::vector<PlannedConfiguration> planned = PlanProjectConfigurations(target);
  EXPECT_EQ((std::vector<std::string>{"Debug", "Release"}), Names(planned));
  EXPECT_EQ(&target.DefaultConfiguration(), planned[0].base);

  // The filter keeps the configurations it names exactly.
  project.configurationFilter = {"Release", "debug"};
  EXPECT_EQ(std::vector<std::string>{"Release"},
            Names(PlanProjectConfigurations(target)));
}

TEST(VC17SolutionPlanTest, ATargetWithoutOtherConfigurationsKeepsItsFirst) {
  Project project("P");
  Target& target = AddTarget(&project, "t");
  std::vector<PlannedConfiguration> planned = PlanProjectConfigurations(target);
  ASSERT_EQ(1u, planned.size());
  EXPECT_EQ(planned[0].base, planned[0].config);
  EXPECT_EQ("default", planned[0].config->name);
  // A filter that names none of its configurations changes nothing; one
  // that names the first puts it on its own before the others it names.
  target.FindOrCreateConfiguration("Debug", std::nullopt);
  target.FindOrCreateConfiguration("Release", std::nullopt);
  project.configurationFilter = {"Profile"};
  EXPECT_EQ((std::vector<std::string>{"Debug", "Release"}),
            Names(PlanProjectConfigurations(target)));
  project.configurationFilter = {"default", "Release"};
  planned = PlanProjectConfigurations(target);
  EXPECT_EQ((std::vector<std::string>{"default", "Release"}), Names(planned));
  EXPECT_EQ(planned[0].base, planned[0].config);
}

TEST(VC17SolutionPlanTest, SolutionConfigurationsAndMappings) {
  Project project("P");
  Target& a = AddTarget(&project, "a");
  a.SetExportDir("a/vc");
  a.FindOrCreateConfiguration("Debug", std::nullopt);
  a.FindOrCreateConfiguration("Release", std::nullopt);
  Target& b = AddTarget(&project, "b");
  b.FindOrCreateConfiguration("debug", std::nullopt);
  Target& c = AddTarget(&project, "c");  // default only
  (void)c;

  SolutionPlan plan = Plan(project);
  EXPECT_EQ("/w/vs", plan.directory);
  ASSERT_EQ(3u, plan.projects.size());
  EXPECT_EQ("/w/a/vc", plan.projects[0].directory);
  EXPECT_EQ("/w", plan.projects[1].directory);
  EXPECT_EQ(MakeGuid("a"), plan.projects[0].guid);
  // Debug and debug are one configuration for Visual Studio.
  EXPECT_EQ((std::vector<std::string>{"Debug", "Release", "default"}),
            plan.configurations);

  ConfigurationMapping mapping = MapConfiguration(plan.projects[1], "Debug");
  EXPECT_EQ("debug", mapping.projectConfiguration->name);
  EXPECT_TRUE(mapping.build);
  mapping = MapConfiguration(plan.projects[1], "Release");
  EXPECT_EQ("debug", mapping.projectConfiguration->name);
  EXPECT_FALSE(mapping.build);
  // A target with its first configuration alone builds it everywhere.
  mapping = MapConfiguration(plan.projects[2], "Release");
  EXPECT_EQ("default", mapping.projectConfiguration->name);
  EXPECT_TRUE(mapping.build);
  EXPECT_EQ(&plan.projects[2], plan.Find("c"));
  EXPECT_EQ(nullptr, plan.Find("C"));
}

TEST(VC17SolutionPlanTest, TheFilterChoosesTargetsAndConfigurations) {
  Project project("P");
  Target& a = AddTarget(&project, "a");
  a.FindOrCreateConfiguration("Debug", std::nullopt);
  Target& b = AddTarget(&project, "b");
  b.FindOrCreateConfiguration("Release", std::nullopt);
  project.configurationFilter = {"Release", "Unknown"};
  SolutionPlan plan = Plan(project);
  ASSERT_EQ(1u, plan.projects.size());
  EXPECT_EQ("b", plan.projects[0].target->name);
  // The filter's names are the solution's, also those no target has.
  EXPECT_EQ((std::vector<std::string>{"Release", "Unknown"}),
            plan.configurations);
}

TEST(VC17SolutionPlanTest, ImportedTargetsFollowTheOwnOnes) {
  Project imported("Lib");
  Target& lib = AddTarget(&imported, "lib");
  lib.importPath = "lib/";
  Project project("P");
  AddTarget(&project, "app");
  project.AddImportedTarget(&lib);
  SolutionPlan plan = PlanSolution(project, "/w", "", [](const Target& target) {
    return target.importPath + target.exportDir;
  });
  ASSERT_EQ(2u, plan.projects.size());
  EXPECT_EQ("lib", plan.projects[1].target->name);
  EXPECT_EQ("/w/lib", plan.projects[1].directory);
}

}  // namespace
