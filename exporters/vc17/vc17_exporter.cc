#include "exporters/vc17/vc17_exporter.h"

#include <map>
#include <set>
#include <vector>

#include "base/path.h"
#include "base/reporter.h"
#include "base/text.h"
#include "exporters/vc17/custom_builds.h"
#include "exporters/vc17/msbuild_path.h"
#include "exporters/vc17/platform.h"
#include "exporters/vc17/project_file_writer.h"
#include "exporters/vc17/project_items.h"
#include "exporters/vc17/solution_plan.h"
#include "exporters/vc17/solution_writer.h"
#include "exporters/vs_common/guid.h"
#include "model/model.h"
#include "output/ordered_export.h"
#include "output/output_file.h"

namespace {

// Every name of the solution and the own targets that Visual Studio cannot
// carry, as messages.
std::vector<std::string> NameProblems(const Project& project) {
  std::vector<std::string> problems;
  const std::string& solution =
      project.outputName.empty() ? project.name : project.outputName;
  std::string solution_problem = TargetNameProblem(solution);
  if (!solution_problem.empty()) {
    problems.push_back("VC17 cannot write the solution \"" + solution +
                       ".sln\": " + solution_problem);
  }
  for (const auto& target : project.targets) {
    std::string problem = TargetNameProblem(target->name);
    if (!problem.empty()) {
      problems.push_back("VC17 cannot write the target \"" + target->name +
                         "\": " + problem);
      continue;
    }
    for (const PlannedConfiguration& planned :
         PlanProjectConfigurations(*target)) {
      problem = ConfigurationNameProblem(planned.config->name);
      if (!problem.empty()) {
        problems.push_back("VC17 cannot write the configuration \"" +
                           planned.config->name + "\" of the target \"" +
                           target->name + "\": " + problem);
      }
    }
  }
  return problems;
}

// Reports what NameProblems finds, before anything is written.
bool CheckNames(const Project& project, Reporter& reporter) {
  std::vector<std::string> problems = NameProblems(project);
  for (const std::string& problem : problems)
    reporter.Error(problem);
  return problems.empty();
}

}  // namespace

std::string VC17PlatformName(const std::optional<std::string>& platform) {
  std::string mapped;
  std::string error;
  return MapVC17Platform(platform, &mapped, &error) ? mapped
                                                    : platform.value_or("");
}

bool VC17AcceptsPlatform(const std::optional<std::string>& platform,
                         std::string* error) {
  std::string mapped;
  return MapVC17Platform(platform, &mapped, error);
}

bool VC17Exporter::Export(Project& project, const std::string& platformName) {
  Reporter& reporter = context_.reporter;
  std::string error;
  if (!VC17AcceptsPlatform(platformName, &error)) {
    reporter.Error(error);
    return false;
  }
  if (!CheckNames(project, reporter))
    return false;
  // Where the description's paths start, as the system names it.
  const std::string currentDirectory = context_.disk.CanonicalPath(
      project.baseDirectory.empty() ? "." : project.baseDirectory);
  if (currentDirectory.empty()) {
    reporter.Error("VC17 cannot read the current directory");
    return false;
  }
  OutputWriter output(context_.disk, reporter, project.baseDirectory,
                      context_.held);

  const std::string& base =
      project.outputName.empty() ? project.name : project.outputName;
  const std::string solutionFile = base + ".sln";
  const std::string solutionDirectory =
      output.ExportDirectory(project.exportDir, solutionFile);
  // Where each own target's files go; imported targets were written by the
  // export of their own description, below its import root.
  std::map<const Target*, std::string> ownDirectories;
  for (const auto& target : project.targets) {
    ownDirectories[target.get()] =
        output.ExportDirectory(target->exportDir, target->name + ".vcxproj");
  }
  auto projectDirectory = [&ownDirectories](const Target& target) {
    auto own = ownDirectories.find(&target);
    if (own != ownDirectories.end())
      return own->second;
    if (IsAbsolutePath(target.exportDir))
      return target.exportDir;
    return target.importPath + target.exportDir;
  };
  SolutionPlan plan = PlanSolution(project, currentDirectory, solutionDirectory,
                                   projectDirectory);

  std::map<std::string, std::string> guidOwners;
  for (const PlannedProject& planned : plan.projects) {
    auto inserted = guidOwners.emplace(planned.guid, planned.target->name);
    if (!inserted.second) {
      reporter.Warning("the targets \"" + inserted.first->second + "\" and \"" +
                       planned.target->name + "\" get the same GUID {" +
                       planned.guid +
                       "}; Visual Studio takes them for one project");
    }
  }

  bool ok = true;
  // The project files of the targets are formatted and written side by
  // side; what each reports is given out in the order of the targets.
  const size_t count = project.targets.size();
  std::vector<char> written(count, 0);
  ExportInOrder(
      count, jobs_, reporter, context_.held,
      [&](size_t i, const ExportSlot& slot) {
        const Target* target = project.targets[i].get();
        const std::string& directory = ownDirectories.at(target);
        ProjectFileInput input;
        input.target = target;
        input.platform = platformName;
        input.currentDirectory = currentDirectory;
        input.directory = AbsolutePath(currentDirectory, directory);
        input.configurations = PlanProjectConfigurations(*target);
        input.items =
            CollectProjectItems(*target, currentDirectory, input.directory);
        CustomBuilds builds =
            CollectCustomBuilds(*target, input.configurations, currentDirectory,
                                input.directory, project.descriptionPath);
        input.customBuilds = std::move(builds.items);
        input.items.items.insert(input.items.items.end(),
                                 builds.projectItems.begin(),
                                 builds.projectItems.end());
        std::set<std::string> referenced;
        for (const std::string& dependency : target->dependencies) {
          const PlannedProject* other = plan.Find(dependency);
          // A project cannot reference itself, and once is enough.
          if (!other || other->target == target ||
              !referenced.insert(dependency).second)
            continue;
          std::string location =
              WindowsRelativePath(input.directory, other->directory);
          std::string file = dependency + ".vcxproj";
          input.references.push_back(
              {location == "." ? file : location + "\\" + file, other->guid});
        }
        OutputWriter own(context_.disk, *slot.reporter, project.baseDirectory,
                         slot.held);
        bool project_file = own.Write(directory, target->name + ".vcxproj",
                                      FormatProjectFile(input));
        bool filters = own.Write(directory, target->name + ".vcxproj.filters",
                                 FormatFiltersFile(input.items));
        written[i] = project_file && filters;
      },
      [&](size_t i) {
        if (!written[i])
          ok = false;
      });
  if (!output.Write(
          solutionDirectory, solutionFile,
          FormatSolution(plan, platformName, MakeGuid("solution:" + base))))
    ok = false;
  return ok;
}

std::vector<std::string> VC17Exporter::OutputFiles(const Project& project) {
  // A project Export refuses writes nothing, so it holds no file.
  if (!NameProblems(project).empty())
    return {};
  OutputWriter output(context_.disk, context_.reporter, project.baseDirectory,
                      context_.held);
  std::vector<std::string> files;
  for (const auto& target : project.targets) {
    for (const char* extension : {".vcxproj", ".vcxproj.filters"})
      files.push_back(
          output.PlannedPath(target->exportDir, target->name + extension));
  }
  const std::string& base =
      project.outputName.empty() ? project.name : project.outputName;
  files.push_back(output.PlannedPath(project.exportDir, base + ".sln"));
  return files;
}
