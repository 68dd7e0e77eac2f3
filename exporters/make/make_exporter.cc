#include "exporters/make/make_exporter.h"

#include "exporters/make/makefile_fragment_writer.h"
#include "exporters/make/project_makefile_writer.h"
#include "exporters/make/target_rules.h"
#include "exporters/output_file.h"
#include "model/model.h"
#include "model/text.h"

namespace {

// The platform that the driver assumes for make when none is given.
const char* HostPlatform() {
#if defined(__APPLE__)
  return "MacOSX";
#else
  return "Linux";
#endif
}

}  // namespace

std::string MakePlatformName(const std::optional<std::string>& platform) {
  static const struct {
    const char* platform;
    const char* name;
  } kNames[] = {
      {"Linux", "LINUX"},
      {"MacOSX", "OSX"},
      {"PS3", "PS3"},
      {"Playstation3", "PS3"},
  };
  std::string name = platform ? *platform : std::string(HostPlatform());
  for (const auto& entry : kNames) {
    if (EqualsNoCase(name, entry.platform))
      return entry.name;
  }
  return name;
}

bool MakeExporter::Export(Project& project,
                          const std::optional<std::string>& platform) {
  platformName_ = MakePlatformName(platform);
  rules_.clear();
  bool written = true;
  // Every fragment is complete, and every dependency step done, before the
  // project makefile is formatted.
  for (const auto& target : project.targets) {
    if (!WriteTargetMakefile(*target))
      written = false;
  }
  if (!WriteProjectMakefiles(project))
    written = false;
  return written;
}

bool MakeExporter::WriteTargetMakefile(Target& target) {
  const std::string file_name = "Makefile." + target.name + ".mk";
  std::string directory =
      ResolveExportDirectory(target.exportDir, file_name, reporter_);
  OutputFile file(reporter_);
  if (!file.Open(JoinPath(directory, file_name)))
    return false;
  // The configurations that get rules: those built before the dependency
  // step can add any to this target.
  std::vector<const Configuration*> built;
  for (const Configuration* configuration : target.configurations) {
    if (IsBuiltConfiguration(*configuration))
      built.push_back(configuration);
  }
  if (!file.Commit(FormatTargetMakefile(platformName_, target, reporter_)))
    return false;
  rules_.insert(built.begin(), built.end());
  return true;
}

bool MakeExporter::WriteProjectMakefiles(const Project& project) {
  // A wrapper that cannot be written does not keep the project makefile
  // from being written.
  bool wrapper =
      WriteOutputFile(project.exportDir, "Makefile",
                      FormatWrapperMakefile(platformName_, project), reporter_);
  bool makefile = WriteOutputFile(
      project.exportDir, project.name + ".Makefile",
      FormatProjectMakefile(platformName_, project, rules_), reporter_);
  return wrapper && makefile;
}
