#include "exporters/ninja/ninja_exporter.h"

#include <cstdlib>

#include "base/disk.h"
#include "base/host_platform.h"
#include "base/path.h"
#include "base/reporter.h"
#include "base/text.h"
#include "exporters/ninja/build_file_writer.h"
#include "exporters/ninja/build_graph.h"
#include "exporters/ninja/compile_commands_writer.h"
#include "exporters/ninja/output_check.h"
#include "model/description_place.h"
#include "model/model.h"
#include "model/resolved_configuration.h"
#include "output/output_file.h"

namespace {

const char* GetEnvironment(const char* name) {
  return std::getenv(name);
}

// This program's absolute path: the running executable where the system
// says, else its name resolved against the start directory or PATH.
std::string ProgramPath(Disk& disk, const ProjectOrigin& origin) {
  std::string self = disk.ExecutablePath();
  if (!self.empty())
    return self;
  if (origin.arguments.empty())
    return "qev";
  const std::string& name = origin.arguments[0];
  if (NameAfterLastSlash(name).size() != name.size())
    return NormalizePath(ResolvePath(origin.startDirectory, name));
  const char* path = std::getenv("PATH");
  std::string directories = path ? path : "";
  size_t start = 0;
  while (start <= directories.size()) {
    size_t colon = directories.find(':', start);
    if (colon == std::string::npos)
      colon = directories.size();
    std::string candidate = NormalizePath(
        ResolvePath(directories.substr(start, colon - start), name));
    if (disk.Stat(candidate).kind == FileKind::kRegular)
      return NormalizePath(ResolvePath(origin.startDirectory, candidate));
    start = colon + 1;
  }
  return name;
}

// Own targets that ninja builds nothing for: they have no configuration of
// their own beside "default".
void WarnAboutTargetsWithoutConfigurations(const Project& project,
                                           Reporter& reporter) {
  for (const auto& target : project.targets) {
    bool built = false;
    for (const Configuration* configuration : target->configurations)
      built = built || IsBuiltConfiguration(*configuration);
    if (!built) {
      reporter.Warning(DescriptionPlace(project, target->line) + "target \"" +
                       target->name +
                       "\" has no shown configuration but \"default\", so "
                       "ninja builds nothing for it; give it a "
                       "<configuration>");
    }
  }
}

}  // namespace

Toolchain ToolchainFromEnvironment(const char* (*lookup)(const char*)) {
  Toolchain toolchain;
  auto set = [&](const char* name, std::string* value) {
    const char* text = lookup(name);
    if (text && *text)
      *value = text;
  };
  set("CC", &toolchain.cc);
  set("CXX", &toolchain.cxx);
  set("AR", &toolchain.ar);
  set("QEV_LAUNCHER", &toolchain.launcher);
  return toolchain;
}

bool NinjaAcceptsPlatform(const std::optional<std::string>& platform,
                          std::string* error) {
  const std::string name = platform.value_or(HostPlatform());
  if (EqualsNoCase(name, "Linux") || EqualsNoCase(name, "MacOSX"))
    return true;
  *error =
      "the ninja tool writes build files for Linux and MacOSX only, not "
      "for \"" +
      name + "\"";
  return false;
}

std::string NinjaPlatformName(const std::optional<std::string>& platform) {
  return platform.value_or(HostPlatform());
}

bool NinjaExporter::Export(Project& project, const std::string& platformName) {
  Disk& disk = context_.disk;
  Reporter& reporter = context_.reporter;
  const std::optional<std::string> platform = platformName;
  std::string refusal;
  if (!NinjaAcceptsPlatform(platform, &refusal)) {
    if (!refusedPlatform_)
      reporter.Error(refusal);
    refusedPlatform_ = true;
    return false;
  }
  const bool macOS = EqualsNoCase(platform.value_or(HostPlatform()), "MacOSX");

  OutputWriter output(disk, reporter, project.baseDirectory, context_.held);
  const std::string directory =
      output.ExportDirectory(project.exportDir, "build.ninja");
  BuildGraphOptions options;
  options.macOS = macOS;
  options.buildDirectory =
      disk.CanonicalPath(output.DiskPath(directory.empty() ? "." : directory));
  options.baseDirectory = disk.CanonicalPath(
      project.baseDirectory.empty() ? "." : project.baseDirectory);
  options.toolchain = ToolchainFromEnvironment(GetEnvironment);
  const ProjectOrigin& origin = project.origin;
  options.regeneration.program = ProgramPath(disk, origin);
  options.regeneration.workingDirectory = origin.startDirectory;
  if (!origin.arguments.empty()) {
    options.regeneration.arguments.assign(origin.arguments.begin() + 1,
                                          origin.arguments.end());
  }
  // A path that does not exist would stop ninja: "no known rule to make".
  TextSet inputs;
  for (const std::string& file : origin.descriptionFiles)
    inputs.insert(NormalizePath(file));
  for (const std::string& listed : origin.listedDirectories) {
    std::string path = NormalizePath(listed);
    if (disk.Stat(path).kind == FileKind::kDirectory)
      inputs.insert(path);
  }
  // A changed .pc file changes the flags: qev runs again, with the
  // environment pkg-config read.
  for (const std::string& file : origin.packageFiles) {
    std::string path = NormalizePath(file);
    if (disk.Stat(path).kind == FileKind::kRegular)
      inputs.insert(path);
  }
  if (!project.packageFlags.empty()) {
    for (const char* name : {"PKG_CONFIG_PATH", "PKG_CONFIG_LIBDIR"}) {
      const char* value = GetEnvironment(name);
      options.regeneration.environment.emplace_back(
          name, value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  options.regeneration.inputs.assign(inputs.begin(), inputs.end());

  WarnAboutTargetsWithoutConfigurations(project, reporter);
  BuildGraph graph;
  std::string error;
  bool resolved = ResolveBuildGraph(project, options, &graph, &error);
  for (const std::string& warning : graph.warnings)
    reporter.Warning(warning);
  if (!resolved || !CheckCarriable(graph, &error)) {
    reporter.Error("cannot write build.ninja for project \"" + project.name +
                   "\": " + error);
    return false;
  }
  // The database first: build.ninja is what ninja checks for being up to
  // date, so it is written last. Both texts share one buffer.
  std::string text;
  AppendCompileCommands(graph, &text, jobs_);
  bool database = output.Write(directory, "compile_commands.json", text);
  text.clear();
  AppendBuildFile(graph, &text, jobs_);
  bool build = output.Write(directory, "build.ninja", text);
  return database && build;
}

std::vector<std::string> NinjaExporter::OutputFiles(const Project& project) {
  OutputWriter output(context_.disk, context_.reporter, project.baseDirectory,
                      context_.held);
  return {output.PlannedPath(project.exportDir, "compile_commands.json"),
          output.PlannedPath(project.exportDir, "build.ninja")};
}
