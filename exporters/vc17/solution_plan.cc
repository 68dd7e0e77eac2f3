#include "exporters/vc17/solution_plan.h"

#include <set>

#include "base/path.h"
#include "base/text.h"
#include "exporters/vc17/msbuild_path.h"
#include "exporters/vs_common/guid.h"
#include "model/model.h"

namespace {

// Whether `target` takes part in a solution made with `filter`: every
// target when there is no filter, else a target whose project file holds a
// configuration the filter names (exactly, as in the VC7-VC8 solutions; a
// hidden configuration is in no project file, so it does not count).
bool TakesPart(const Target& target, const TextSet& filter) {
  if (filter.empty())
    return true;
  for (const PlannedConfiguration& planned :
       PlanProjectConfigurations(target)) {
    if (filter.count(planned.config->name))
      return true;
  }
  return false;
}

}  // namespace

std::vector<PlannedConfiguration> PlanProjectConfigurations(
    const Target& target) {
  const std::vector<Configuration*>& configurations = target.configurations;
  Configuration* first = configurations[0];
  std::vector<PlannedConfiguration> planned;
  const TextSet* filter =
      target.project ? &target.project->configurationFilter : nullptr;
  if (filter && !filter->empty()) {
    // The filter may name the first configuration too (-c default).
    if (filter->count(first->name))
      planned.push_back({first, first});
    for (size_t i = 1; i < configurations.size(); ++i) {
      if (configurations[i]->show && filter->count(configurations[i]->name))
        planned.push_back({first, configurations[i]});
    }
    if (!planned.empty())
      return planned;
  }
  for (size_t i = 1; i < configurations.size(); ++i) {
    if (configurations[i]->show)
      planned.push_back({first, configurations[i]});
  }
  if (planned.empty())
    planned.push_back({first, first});
  return planned;
}

const PlannedProject* SolutionPlan::Find(const std::string& name) const {
  auto found = byName.find(name);
  return found == byName.end() ? nullptr : &projects[found->second];
}

SolutionPlan PlanSolution(
    const Project& project,
    const std::string& currentDirectory,
    const std::string& solutionDirectory,
    const std::function<std::string(const Target&)>& projectDirectory) {
  SolutionPlan plan;
  plan.directory = AbsolutePath(currentDirectory, solutionDirectory);

  std::vector<const Target*> candidates;
  for (const auto& target : project.targets)
    candidates.push_back(target.get());
  candidates.insert(candidates.end(), project.importedTargets.begin(),
                    project.importedTargets.end());
  for (const Target* target : candidates) {
    // A name can stand in a solution once; the first target of a name stays.
    if (!TakesPart(*target, project.configurationFilter) ||
        !plan.byName.emplace(target->name, plan.projects.size()).second)
      continue;
    PlannedProject planned;
    planned.target = target;
    planned.guid = MakeGuid(target->name);
    planned.directory =
        AbsolutePath(currentDirectory, projectDirectory(*target));
    planned.configurations = PlanProjectConfigurations(*target);
    plan.projects.push_back(std::move(planned));
  }

  std::set<std::string> configurations;
  if (!project.configurationFilter.empty()) {
    configurations = project.configurationFilter;
  } else {
    for (const PlannedProject& planned : plan.projects) {
      for (const PlannedConfiguration& configuration : planned.configurations)
        configurations.insert(configuration.config->name);
    }
  }
  // Visual Studio compares configuration names ignoring case.
  std::set<std::string> lowered;
  for (const std::string& name : configurations) {
    if (lowered.insert(ToLowerAscii(name)).second)
      plan.configurations.push_back(name);
  }
  return plan;
}

ConfigurationMapping MapConfiguration(const PlannedProject& project,
                                      const std::string& name) {
  for (const PlannedConfiguration& configuration : project.configurations) {
    if (EqualsNoCase(configuration.config->name, name))
      return {configuration.config, true};
  }
  // A target written with its first configuration alone has one
  // configuration for every build.
  const PlannedConfiguration& first = project.configurations.front();
  return {first.config, first.base == first.config};
}
