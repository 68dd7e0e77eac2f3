#include "exporters/ninja/ninja_exporter.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "exporters/ninja/build_file_writer.h"
#include "exporters/ninja/build_graph.h"
#include "exporters/ninja/build_paths.h"
#include "exporters/ninja/compile_commands_writer.h"
#include "exporters/output_file.h"
#include "model/model.h"
#include "model/reporter.h"
#include "model/text.h"

namespace {

const char* HostPlatform() {
#if defined(__APPLE__)
  return "MacOSX";
#else
  return "Linux";
#endif
}

const char* GetEnvironment(const char* name) {
  return std::getenv(name);
}

std::string RealPath(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved)
    return std::string();
  std::string out = resolved;
  free(resolved);
  return out;
}

// This program's absolute path: the running executable where the system
// says, else its name resolved against the start directory or PATH.
std::string ProgramPath(const ProjectOrigin& origin) {
  std::string self = RealPath("/proc/self/exe");
  if (!self.empty())
    return self;
  if (origin.arguments.empty())
    return "qev";
  const std::string& name = origin.arguments[0];
  if (name.find('/') != std::string::npos)
    return JoinBuildPath(origin.startDirectory, name);
  const char* path = std::getenv("PATH");
  std::string directories = path ? path : "";
  size_t start = 0;
  while (start <= directories.size()) {
    size_t colon = directories.find(':', start);
    if (colon == std::string::npos)
      colon = directories.size();
    std::string candidate =
        JoinBuildPath(directories.substr(start, colon - start), name);
    if (access(candidate.c_str(), X_OK) == 0)
      return JoinBuildPath(origin.startDirectory, candidate);
    start = colon + 1;
  }
  return name;
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

bool NinjaExporter::Export(Project& project,
                           const std::optional<std::string>& platform) {
  std::string refusal;
  if (!NinjaAcceptsPlatform(platform, &refusal)) {
    if (!refusedPlatform_)
      reporter_.Error(refusal);
    refusedPlatform_ = true;
    return false;
  }
  const bool macOS = EqualsNoCase(platform.value_or(HostPlatform()), "MacOSX");

  const std::string directory =
      ResolveExportDirectory(project.exportDir, "build.ninja", reporter_);
  BuildGraphOptions options;
  options.macOS = macOS;
  options.buildDirectory = RealPath(directory.empty() ? "." : directory);
  options.toolchain = ToolchainFromEnvironment(GetEnvironment);
  const ProjectOrigin& origin = project.origin;
  options.regeneration.program = ProgramPath(origin);
  options.regeneration.workingDirectory = origin.startDirectory;
  if (!origin.arguments.empty()) {
    options.regeneration.arguments.assign(origin.arguments.begin() + 1,
                                          origin.arguments.end());
  }
  // A path that does not exist would stop ninja: "no known rule to make".
  TextSet inputs;
  for (const std::string& file : origin.descriptionFiles)
    inputs.insert(CanonicalBuildPath(file));
  for (const std::string& listed : origin.listedDirectories) {
    std::string path = CanonicalBuildPath(listed);
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
      inputs.insert(path);
  }
  options.regeneration.inputs.assign(inputs.begin(), inputs.end());

  BuildGraph graph;
  std::string error;
  if (!ResolveBuildGraph(project, options, &graph, &error)) {
    reporter_.Error("cannot write build.ninja for project \"" + project.name +
                    "\": " + error);
    return false;
  }
  // The database first: build.ninja is what ninja checks for being up to
  // date, so it is written last. Both texts share one buffer.
  std::string text;
  AppendCompileCommands(graph, &text);
  bool database =
      WriteOutputFile(directory, "compile_commands.json", text, reporter_);
  text.clear();
  AppendBuildFile(graph, &text);
  bool build = WriteOutputFile(directory, "build.ninja", text, reporter_);
  return database && build;
}
