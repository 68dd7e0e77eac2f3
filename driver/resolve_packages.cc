#include "driver/resolve_packages.h"

#include <algorithm>
#include <vector>

#include "base/reporter.h"
#include "model/description_place.h"
#include "model/model.h"
#include "model/packages.h"

bool ResolveProjectPackages(Project& project, Disk& disk, Reporter& reporter) {
  std::vector<const Target*> targets;
  for (const auto& target : project.targets)
    targets.push_back(target.get());
  targets.insert(targets.end(), project.importedTargets.begin(),
                 project.importedTargets.end());
  PackageResolver resolver(disk);
  TextSet met;
  bool ok = true;
  // Each package once, reported at the first target that names it.
  for (const Target* target : targets) {
    for (const Configuration* configuration : target->configurations) {
      for (const std::string& name : configuration->packages) {
        if (!met.insert(name).second)
          continue;
        PackageFlags flags;
        std::string error;
        if (!resolver.Resolve(name, &flags, &error)) {
          reporter.Error(DescriptionPlace(*target->project, target->line) +
                         "target \"" + target->name + "\": " + error);
          // Without pkg-config once is enough.
          if (resolver.cannotRun())
            return false;
          ok = false;
          continue;
        }
        project.packageFlags[name] = std::move(flags);
      }
    }
  }
  project.origin.packageFiles.insert(resolver.files().begin(),
                                     resolver.files().end());
  return ok;
}

void WarnAboutUnresolvedPackages(const Project& project,
                                 const std::string& tool,
                                 Reporter& reporter) {
  for (const auto& target : project.targets) {
    TextList names;
    for (const Configuration* configuration : target->configurations) {
      for (const std::string& name : configuration->packages) {
        if (std::find(names.begin(), names.end(), name) == names.end())
          names.push_back(name);
      }
    }
    if (names.empty())
      continue;
    std::string listed;
    for (const std::string& name : names)
      listed += (listed.empty() ? "" : " ") + name;
    reporter.WarningOnce(
        DescriptionPlace(project, target->line) + "target \"" + target->name +
        "\": " + tool + " does not resolve PACKAGES (" + listed +
        "); give their search paths and libraries with SEARCHPATHS and "
        "LIBRARIES, under a tool filter");
  }
}
