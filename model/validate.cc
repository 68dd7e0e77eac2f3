#include "model/validate.h"

#include <unordered_map>
#include <unordered_set>

#include "base/text.h"
#include "model/description_place.h"
#include "model/model.h"

namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// Removes the project's unnamed targets and the later ones of each name.
void RemoveUnexportableTargets(const Workspace& workspace,
                               Project& project,
                               std::vector<Finding>* findings) {
  std::unordered_map<std::string, int> first_line;
  for (size_t i = 0; i < project.targets.size();) {
    const Target& target = *project.targets[i];
    if (target.name.empty()) {
      findings->push_back(
          {true,
           DescriptionPlace(workspace.projectFile.value_or(""), target.line) +
               "a target of project " + Quoted(project.name) +
               " has an empty name; it is left out"});
      project.RemoveTargetAt(i);
      continue;
    }
    if (project.FindImportedTarget(target.name)) {
      // An import lent a target of this name before this one was read.
      size_t lent = 0;
      while (project.importedTargets[lent]->name != target.name)
        ++lent;
      int import_line =
          lent < project.importLines.size() ? project.importLines[lent] : 0;
      std::string first = import_line > 0
                              ? " (the first is lent by the import on line " +
                                    std::to_string(import_line) + ")"
                              : " (the first is lent by an import)";
      findings->push_back(
          {true,
           DescriptionPlace(workspace.projectFile.value_or(""), target.line) +
               "project " + Quoted(project.name) +
               " already has a target named " + Quoted(target.name) + first +
               "; this one is left out"});
      project.RemoveTargetAt(i);
      continue;
    }
    auto [found, added] = first_line.emplace(target.name, target.line);
    if (!added) {
      std::string first =
          found->second > 0
              ? " (the first is on line " + std::to_string(found->second) + ")"
              : std::string();
      findings->push_back(
          {true,
           DescriptionPlace(workspace.projectFile.value_or(""), target.line) +
               "project " + Quoted(project.name) +
               " already has a target named " + Quoted(target.name) + first +
               "; this one is left out"});
      project.RemoveTargetAt(i);
      continue;
    }
    ++i;
  }
}

// Templates are read, and other targets start from them, but no tool
// writes them.
void SetTemplatesAside(Project& project) {
  for (size_t i = 0, position = 0; i < project.targets.size(); ++position) {
    if (project.targets[i]->show) {
      ++i;
      continue;
    }
    project.templates.emplace_back(position, project.TakeTargetAt(i));
  }
}

// A target of the project, own or imported, whose name equals `name`
// ignoring ASCII case; null when there is none.
const Target* FindTargetNoCase(const Project& project,
                               const std::string& name) {
  for (const auto& target : project.targets) {
    if (EqualsNoCase(target->name, name))
      return target.get();
  }
  for (const Target* target : project.importedTargets) {
    if (EqualsNoCase(target->name, name))
      return target;
  }
  return nullptr;
}

void CheckDependencies(const Workspace& workspace,
                       const Project& project,
                       std::vector<Finding>* findings) {
  for (const auto& target : project.targets) {
    std::unordered_set<std::string> reported;
    for (size_t i = 0; i < target->dependencies.size(); ++i) {
      const std::string& dependency = target->dependencies[i];
      int line =
          i < target->dependencyLines.size() ? target->dependencyLines[i] : 0;
      if (line == 0)
        line = target->line;
      if (project.FindTarget(dependency) ||
          project.FindImportedTarget(dependency) ||
          !reported.insert(dependency).second)
        continue;
      std::string message =
          DescriptionPlace(workspace.projectFile.value_or(""), line) +
          "target " + Quoted(target->name) + " depends on " +
          Quoted(dependency) + ", which is no target of " + "project " +
          Quoted(project.name);
      if (const Target* near = FindTargetNoCase(project, dependency))
        message += "; did you mean " + Quoted(near->name) + "?";
      findings->push_back({false, message});
    }
  }
}

}  // namespace

std::vector<Finding> ValidateWorkspace(Workspace& workspace) {
  std::vector<Finding> findings;
  auto& projects = workspace.projects;
  for (size_t i = 0; i < projects.size();) {
    Project& project = *projects[i];
    if (project.name.empty()) {
      findings.push_back(
          {true,
           DescriptionPlace(workspace.projectFile.value_or(""), project.line) +
               "a project has an empty name; it is "
               "left out"});
      projects.erase(projects.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    RemoveUnexportableTargets(workspace, project, &findings);
    SetTemplatesAside(project);
    CheckDependencies(workspace, project, &findings);
    ++i;
  }
  return findings;
}
