#include "model/validate.h"

#include <gtest/gtest.h>

#include "model/model.h"

namespace {

Target* AddTarget(Project* project, const std::string& name, int line) {
  auto target = std::make_unique<Target>(name, project);
  target->line = line;
  Target* raw = target.get();
  project->AddTarget(std::move(target));
  return raw;
}

}  // namespace

TEST(ValidateTest, UnnamedAndRepeatedTargetsAreRemovedWithErrors) {
  Workspace workspace;
  workspace.projectFile = "game.qev";
  auto project = std::make_unique<Project>("game");
  Project* game = project.get();
  workspace.projects.push_back(std::move(project));
  Target* core = AddTarget(game, "core", 3);
  AddTarget(game, "", 7);
  AddTarget(game, "core", 9);
  Target* app = AddTarget(game, "app", 12);

  std::vector<Finding> findings = ValidateWorkspace(workspace);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_TRUE(findings[0].error);
  EXPECT_EQ(findings[0].message,
            "game.qev:7: a target of project \"game\" has an empty name; it "
            "is left out");
  EXPECT_TRUE(findings[1].error);
  EXPECT_EQ(findings[1].message,
            "game.qev:9: project \"game\" already has a target named "
            "\"core\" (the first is on line 3); this one is left out");
  ASSERT_EQ(game->targets.size(), 2u);
  EXPECT_EQ(game->FindTarget("core"), core);
  EXPECT_EQ(game->FindTarget("app"), app);
  EXPECT_EQ(game->FindTarget(""), nullptr);
}

TEST(ValidateTest, UnnamedProjectIsRemoved) {
  Workspace workspace;
  workspace.projectFile = "x.qev";
  workspace.projects.push_back(std::make_unique<Project>(""));
  workspace.projects.back()->line = 2;
  workspace.projects.push_back(std::make_unique<Project>("kept"));
  std::vector<Finding> findings = ValidateWorkspace(workspace);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].message,
            "x.qev:2: a project has an empty name; it is left out");
  ASSERT_EQ(workspace.projects.size(), 1u);
  EXPECT_EQ(workspace.projects[0]->name, "kept");
}

TEST(ValidateTest, DependencyOnNoTargetWarnsOnceAndSuggestsCase) {
  Workspace workspace;
  workspace.projectFile = "game.qev";
  workspace.projects.push_back(std::make_unique<Project>("game"));
  Project* game = workspace.projects.back().get();
  AddTarget(game, "core", 3);
  Project other("lib");
  Target imported("Zlib", &other);
  game->AddImportedTarget(&imported);
  Target* app = AddTarget(game, "app", 10);
  app->AddDependency("Core", 14);
  app->AddDependency("core", 14);
  app->AddDependency("Zlib", 14);
  app->AddDependency("zlib", 15);
  app->AddDependency("Core", 16);
  app->AddDependency("ghost");

  std::vector<Finding> findings = ValidateWorkspace(workspace);
  ASSERT_EQ(findings.size(), 3u);
  EXPECT_FALSE(findings[0].error);
  EXPECT_EQ(findings[0].message,
            "game.qev:14: target \"app\" depends on \"Core\", which is no "
            "target of project \"game\"; did you mean \"core\"?");
  EXPECT_EQ(findings[1].message,
            "game.qev:15: target \"app\" depends on \"zlib\", which is no "
            "target of project \"game\"; did you mean \"Zlib\"?");
  // Without a line of its own, the target's line.
  EXPECT_EQ(findings[2].message,
            "game.qev:10: target \"app\" depends on \"ghost\", which is no "
            "target of project \"game\"");
}

TEST(ValidateTest, AnOwnTargetNamedLikeALentOneIsRemoved) {
  Workspace workspace;
  workspace.projectFile = "game.qev";
  workspace.projects.push_back(std::make_unique<Project>("game"));
  Project* game = workspace.projects.back().get();
  Project other("lib");
  Target lent("core", &other);
  game->AddImportedTarget(&lent, 4);
  AddTarget(game, "core", 7);
  AddTarget(game, "app", 9);
  std::vector<Finding> findings = ValidateWorkspace(workspace);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_TRUE(findings[0].error);
  EXPECT_EQ(findings[0].message,
            "game.qev:7: project \"game\" already has a target named \"core\" "
            "(the first is lent by the import on line 4); this one is left "
            "out");
  ASSERT_EQ(game->targets.size(), 1u);
  EXPECT_EQ(game->targets[0]->name, "app");
}
