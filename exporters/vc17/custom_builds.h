#ifndef QEV_EXPORTERS_VC17_CUSTOM_BUILDS_H_
#define QEV_EXPORTERS_VC17_CUSTOM_BUILDS_H_

#include <string>
#include <vector>

#include "exporters/vc17/project_items.h"
#include "exporters/vc17/solution_plan.h"

struct Target;

// The GENERATE steps of a target as CustomBuild items of its project file.
// MSBuild runs a custom build step when a file item says so, so each step is
// attached to a file: the first of its inputs that carries no step yet, else
// the description. When every one of those carries a step already, the
// step joins the item of its first input (or the description): steps that
// share a file run together, each configuration's with those set on the
// target.

// One step, paths relative to the project file's directory with "\"
// separators; not escaped.
struct CustomBuildStep {
  // The configuration it belongs to, "" for all.
  std::string configuration;
  std::string command;
  std::vector<std::string> outputs;
  // The inputs besides the item's own file.
  std::vector<std::string> additionalInputs;
};

struct CustomBuildItem {
  std::string include;
  std::vector<CustomBuildStep> steps;
};

struct CustomBuilds {
  std::vector<CustomBuildItem> items;
  // The generated files the project compiles (ClCompile or ResourceCompile
  // items, `onlyIn` set for a configuration's step) and the CustomBuild
  // items themselves, for the filters file; all at the project's root.
  std::vector<ProjectItem> projectItems;
};

// The custom build items of `target`'s project file in `projectDirectory`
// (absolute, normalised) when the description's paths start at
// `currentDirectory` (absolute) and the description is `descriptionFile`
// (absolute; empty when there is none).
// Inputs are found as the items of FILES are (below the step's root, from
// the description's base); outputs and the command are relative to the
// project file's directory, where MSBuild runs the command.
CustomBuilds CollectCustomBuilds(
    const Target& target,
    const std::vector<PlannedConfiguration>& configurations,
    const std::string& currentDirectory,
    const std::string& projectDirectory,
    const std::string& descriptionFile);

#endif  // QEV_EXPORTERS_VC17_CUSTOM_BUILDS_H_
