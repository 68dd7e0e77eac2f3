#ifndef QEV_EXPORTERS_VC17_SOLUTION_PLAN_H_
#define QEV_EXPORTERS_VC17_SOLUTION_PLAN_H_

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

struct Configuration;
struct Project;
struct Target;

// What a Visual Studio 2022 solution and its project files hold, decided once
// so that the solution and every project file agree on configurations,
// GUIDs and locations.

// One configuration of a project file: `config` extended by `base`, the
// target's first configuration. A target written with its first
// configuration alone has base == config.
struct PlannedConfiguration {
  const Configuration* base;
  const Configuration* config;
};

// The configurations of the project file of `target`: every shown
// configuration after the first, in list order, or the first on its own
// when there is none (Visual Studio cannot load a project without
// configurations). When the target's project has a configuration filter
// that names any of its configurations exactly, only those: the first on
// its own when the filter names it, then the shown ones after it.
std::vector<PlannedConfiguration> PlanProjectConfigurations(
    const Target& target);

// One project of the solution.
struct PlannedProject {
  const Target* target;
  // MakeGuid of the target's name, as the VC7-VC8 solutions give it.
  std::string guid;
  // Directory of its .vcxproj: absolute and normalised (AbsolutePath).
  std::string directory;
  std::vector<PlannedConfiguration> configurations;
};

// How one solution configuration maps onto one project: the project's
// configuration of the same name (letter case ignored) and built, or its
// first configuration, built only when it is the target's first
// configuration written on its own (it serves every build).
struct ConfigurationMapping {
  const Configuration* projectConfiguration;
  bool build;
};

struct SolutionPlan {
  // Directory of the solution: absolute and normalised.
  std::string directory;
  // The own targets that take part, in list order, then the imported ones.
  std::vector<PlannedProject> projects;
  // Solution configuration names: the configuration filter when there is
  // one, otherwise every configuration of the projects; sorted by bytes,
  // names equal ignoring case listed once.
  std::vector<std::string> configurations;

  // The project of the target named `name` (exactly), or null.
  const PlannedProject* Find(const std::string& name) const;

  // Index into `projects` by target name.
  std::unordered_map<std::string, size_t> byName;
};

// Plans the solution of `project`. `currentDirectory` is where the
// description's paths start (absolute); `projectDirectory` gives the
// directory of a target's .vcxproj relative to it (or absolute);
// `solutionDirectory` that of the solution.
SolutionPlan PlanSolution(
    const Project& project,
    const std::string& currentDirectory,
    const std::string& solutionDirectory,
    const std::function<std::string(const Target&)>& projectDirectory);

// Maps the solution configuration `name` onto `project`.
ConfigurationMapping MapConfiguration(const PlannedProject& project,
                                      const std::string& name);

#endif  // QEV_EXPORTERS_VC17_SOLUTION_PLAN_H_
