#ifndef QEV_EXPORTERS_VC17_PROJECT_FILE_WRITER_H_
#define QEV_EXPORTERS_VC17_PROJECT_FILE_WRITER_H_

#include <string>
#include <vector>

#include "exporters/vc17/custom_builds.h"
#include "exporters/vc17/project_items.h"
#include "exporters/vc17/solution_plan.h"

struct ResolvedConfiguration;
struct Target;

// A dependency of the target that is a project of the same solution.
struct ProjectReference {
  // Path of its .vcxproj relative to the referring project file's
  // directory, "\" separated; not escaped.
  std::string include;
  std::string guid;
};

// Everything a .vcxproj is made from.
struct ProjectFileInput {
  const Target* target = nullptr;
  // Win32, x64 or ARM64.
  std::string platform;
  // Where the description's paths start, absolute.
  std::string currentDirectory;
  // The project file's directory, absolute and normalised.
  std::string directory;
  std::vector<PlannedConfiguration> configurations;
  // The files of the description's groups, then the generated ones.
  ProjectItems items;
  std::vector<CustomBuildItem> customBuilds;
  std::vector<ProjectReference> references;
};

// The .vcxproj of one target (UTF-8 with a declaration): project
// configurations, globals, one Configuration property group, one property
// group with OutDir, IntDir, TargetName and TargetExt, and one item
// definition group per configuration, then the items and project
// references, in the order MSBuild and Visual Studio require.
std::string FormatProjectFile(const ProjectFileInput& input);

// The .vcxproj.filters file that sorts `items` into their filters.
std::string FormatFiltersFile(const ProjectItems& items);

// The Visual Studio type of a resolved configuration: lib is a static
// library; dll and shared_lib a dynamic library; exe and app an application
// of the Windows subsystem; console, or no type at all, an application of
// the console subsystem.
struct ConfigurationKind {
  const char* configurationType = "Application";
  const char* extension = ".exe";
  const char* subsystem = "Console";
};
ConfigurationKind KindOf(const ResolvedConfiguration& resolved);

// What Visual Studio's own templates give a configuration of this name when
// the description sets neither OPTIMIZE nor DEBUGINFO: a name holding
// "debug" (any case) is a debug build.
bool IsDebugConfigurationName(const std::string& name);

#endif  // QEV_EXPORTERS_VC17_PROJECT_FILE_WRITER_H_
