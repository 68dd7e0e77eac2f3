// The solution file: project entries with their dependencies, then the
// Global block whose sections name every configuration for every target.

#include <set>
#include <unordered_map>
#include <unordered_set>

#include "exporters/vs/solution_location.h"
#include "exporters/vs/vc7_exporter.h"
#include "exporters/vs_common/guid.h"
#include "model/model.h"
#include "model/resolved_configuration.h"

namespace {

const char kProjectTypeGuid[] = "8BC9CEB8-8B4A-11D0-8D11-00A0C91BC942";

// GUIDs of target names, each computed once per solution.
class GuidCache {
 public:
  const std::string& Get(const std::string& name) {
    auto found = guids_.find(name);
    if (found == guids_.end())
      found = guids_.emplace(name, MakeGuid(name)).first;
    return found->second;
  }

 private:
  std::unordered_map<std::string, std::string> guids_;
};

// Whether `target` takes part in a solution made with `filter`: every
// target when there is no filter, else a target with a configuration the
// filter names exactly.
bool TakesPart(const Target& target, const TextSet& filter) {
  if (filter.empty())
    return true;
  for (const Configuration* configuration : target.configurations) {
    if (filter.count(configuration->name))
      return true;
  }
  return false;
}

// The project entry of one target, with its dependencies on the targets
// that take part. `location` is the directory of its project file relative
// to the solution, or empty for the solution's own directory.
void AppendProjectEntry(const Target& target,
                        const std::string* location,
                        const std::set<std::string>& includedTargets,
                        GuidCache* guids,
                        std::string* out) {
  out->append("Project(\"{").append(kProjectTypeGuid).append("}\") = \"");
  out->append(target.name).append("\", \"");
  if (location)
    out->append(*location).append("/");
  out->append(target.name).append(".vcproj\", \"{");
  out->append(guids->Get(target.name)).append("}\"\n");
  out->append("\tProjectSection(ProjectDependencies) = postProject\n");
  for (const std::string& dependency : target.dependencies) {
    if (!includedTargets.count(dependency))
      continue;
    const std::string& guid = guids->Get(dependency);
    out->append("\t\t{").append(guid).append("} = {").append(guid);
    out->append("}\n");
  }
  out->append("\tEndProjectSection\n");
  out->append("EndProject\n");
}

void AppendSourceControlSection(
    const std::set<std::string>& includedTargets,
    const std::unordered_map<std::string, std::string>& locations,
    std::string* out) {
  out->append("GlobalSection(SourceCodeControl) = preSolution\n");
  out->append("  SccNumberOfProjects = ");
  out->append(std::to_string(includedTargets.size())).append("\n");
  size_t number = 0;
  for (const std::string& name : includedTargets) {
    std::string index = std::to_string(number++);
    out->append("  SccLocalPath").append(index).append(" = .\n");
    out->append("  SccProjectUniqueName").append(index).append(" = ");
    auto location = locations.find(name);
    if (location != locations.end())
      out->append(location->second).append("/");
    out->append(name).append(".vcproj\n");
  }
  out->append("  SccLocalPath").append(std::to_string(number));
  out->append(" = .\n");
  out->append("  EndGlobalSection\n");
}

void AppendSolutionProperties(std::string* out) {
  out->append("GlobalSection(SolutionProperties) = preSolution\n");
  out->append("  HideSolutionNode = FALSE\n");
  out->append("  EndGlobalSection\n");
}

}  // namespace

std::string VC7Exporter::FormatSolution(const Project& project) {
  std::string out;
  WriteSolutionHeader(&out);

  std::set<std::string> includedTargets;
  for (const auto& target : project.targets) {
    if (TakesPart(*target, project.configurationFilter))
      includedTargets.insert(target->name);
  }
  for (const Target* target : project.importedTargets) {
    if (TakesPart(*target, project.configurationFilter))
      includedTargets.insert(target->name);
  }

  // A target is in the solution when its name is: the own targets first,
  // then the imported ones, each in list order.
  GuidCache guids;
  std::vector<const Target*> participants;
  // Own targets whose project file lies in another directory than the
  // solution, by name.
  std::unordered_map<std::string, std::string> own_locations;
  for (const auto& target : project.targets) {
    if (!includedTargets.count(target->name))
      continue;
    participants.push_back(target.get());
    auto placed = projectFileDirs_.find(target.get());
    std::string location = DirectoryFromSolution(
        solutionDir_.value_or(project.exportDir),
        placed != projectFileDirs_.end() ? placed->second : target->exportDir);
    if (location.empty()) {
      AppendProjectEntry(*target, nullptr, includedTargets, &guids, &out);
    } else {
      AppendProjectEntry(*target, &location, includedTargets, &guids, &out);
      own_locations.emplace(target->name, location);
    }
  }
  for (const Target* target : project.importedTargets) {
    if (!includedTargets.count(target->name))
      continue;
    participants.push_back(target);
    // The project file lies where the import's root and the target's export
    // directory put it; the two are joined as they stand.
    std::string location = target->importPath.empty()
                               ? std::string(".")
                               : target->importPath + target->exportDir;
    AppendProjectEntry(*target, &location, includedTargets, &guids, &out);
  }

  out.append("Global\n");
  if (project.version >= 4) {
    std::set<std::string> solutionConfigurations;
    if (!project.configurationFilter.empty()) {
      solutionConfigurations = project.configurationFilter;
    } else {
      for (const Target* target : participants) {
        for (const Configuration* configuration : target->configurations) {
          if (configuration->show &&
              !IsDefaultConfigurationName(configuration->name))
            solutionConfigurations.insert(configuration->name);
        }
      }
    }

    AppendSourceControlSection(includedTargets, own_locations, &out);

    out.append("\tGlobalSection(").append(solutionConfigurationSection_);
    out.append(") = preSolution\n");
    for (const std::string& name : solutionConfigurations)
      WriteSolutionConfiguration(&out, name, platformName_);
    out.append("\tEndGlobalSection\n");

    out.append("\tGlobalSection(").append(projectConfigurationSection_);
    out.append(") = postSolution\n");
    std::unordered_set<std::string> own_names;
    for (const Target* target : participants) {
      const std::string& guid = guids.Get(target->name);
      own_names.clear();
      for (const Configuration* configuration : target->configurations)
        own_names.insert(configuration->name);
      for (const std::string& name : solutionConfigurations) {
        WriteProjectActiveConfiguration(&out, guid, name, platformName_);
        if (own_names.count(name))
          WriteProjectBuildConfiguration(&out, guid, name, platformName_);
      }
    }
    out.append("\tEndGlobalSection\n");

    out.append("\tGlobalSection(ExtensibilityGlobals) = postSolution\n");
    out.append("\tEndGlobalSection\n");
    out.append("\tGlobalSection(ExtensibilityAddins) = postSolution\n");
    out.append("\tEndGlobalSection\n");
  }
  AppendSolutionProperties(&out);
  out.append("EndGlobal\n");
  return out;
}
