#include "exporters/make/makefile_fragment_writer.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "exporters/make/generate_rules.h"
#include "exporters/make/make_format.h"
#include "exporters/make/make_safe_name.h"
#include "exporters/make/make_source_lists.h"
#include "exporters/make/target_rules.h"
#include "model/model.h"
#include "model/packages.h"
#include "model/resolved_configuration.h"

namespace {

bool EndsWithFirst(const std::string& text, const char* piece, size_t length) {
  size_t found = text.find(piece);
  return found != std::string::npos && found + length == text.size();
}

void AppendSourceLists(std::string* out,
                       const Target& target,
                       const MakeSourceLists& lists) {
  const std::string& t = target.name;
  for (const MakeSourceEntry& entry : lists.entries) {
    const char* pattern = "%s_lfiles   += %s\n";
    if (entry.kind == MakeFileKind::kCpp)
      pattern = "%s_cppfiles += %s\n";
    else if (entry.kind == MakeFileKind::kC)
      pattern = "%s_cfiles   += %s\n";
    AppendFormat(out, pattern, {t, entry.path});
  }
}

void AppendList(std::string* out,
                const char* pattern,
                const std::string& t,
                const std::string& c,
                const TextList& entries) {
  for (const std::string& entry : entries)
    AppendFormat(out, pattern, {t, c, entry});
}

// Search paths and libraries end up as words of shell commands: one that
// make or the shell would split or read as syntax is left out (the exporter
// warns about it).
void AppendWordList(std::string* out,
                    const char* pattern,
                    const std::string& t,
                    const std::string& c,
                    const TextList& entries) {
  for (const std::string& entry : entries) {
    if (MakeUnsafeAuthorReason(entry).empty())
      AppendFormat(out, pattern, {t, c, entry});
  }
}

}  // namespace

std::string LibraryNameFromFile(const std::string& file) {
  std::string name = file;
  if (EndsWithFirst(name, ".so", 3))
    name.resize(name.size() - 3);
  else if (EndsWithFirst(name, ".a", 2))
    name.resize(name.size() - 2);
  if (name.compare(0, 3, "lib") == 0)
    name.erase(0, 3);
  return name;
}

namespace {

// A search path another target passes on, as the make files write it:
// below the import root of an imported one.
std::string MakePath(const InheritedPath& path) {
  const std::string& prefix = path.owner->importPath;
  if (prefix.empty() || path.path.empty() || path.path[0] == '$' ||
      IsAbsolutePath(path.path))
    return path.path;
  return prefix + path.path;
}

// Appends what the target's dependencies pass on to `configuration`. The
// default configuration takes what their default configurations pass on;
// the others only what their configurations of the same name add, since
// every configuration's variables start with the default's.
void AddInheritedSettings(const Target& target, Configuration& configuration) {
  const bool is_default = IsDefaultConfigurationName(configuration.name);
  InheritedSettings inherited =
      InheritedFrom(target, configuration.name, is_default);
  auto append = [](TextList* into, const TextList& from) {
    into->insert(into->end(), from.begin(), from.end());
  };
  append(&configuration.defines, inherited.defines);
  for (const InheritedPath& path : inherited.headerPaths)
    configuration.searchPaths.header.push_back(MakePath(path));
  for (const InheritedPath& path : inherited.libraryPaths)
    configuration.searchPaths.library.push_back(MakePath(path));
  append(&configuration.cflags, inherited.cflags);
  append(&configuration.lflags, inherited.lflags);
  append(&configuration.libraries, inherited.libraries);
}

// The targets that `target`'s dependencies pass on through their public
// dependencies (DEPENDENCIES public="true"), and further on, each once and
// none of `target`'s own dependencies, depth first in the order of the
// dependencies: each after the targets that name it.
std::vector<Target*> PassedOnDependencies(const Target& target) {
  auto find = [](const Target& from, const std::string& name) -> Target* {
    if (!from.project)
      return nullptr;
    if (Target* own = from.project->FindTarget(name))
      return own;
    return from.project->FindImportedTarget(name);
  };
  std::vector<const Target*> named = {&target};
  for (const std::string& name : target.dependencies)
    named.push_back(find(target, name));
  std::vector<Target*> passed_on;
  std::vector<const Target*> visited = {&target};
  std::vector<Target*> pending;
  for (auto it = target.dependencies.rbegin(); it != target.dependencies.rend();
       ++it) {
    if (Target* dependency = find(target, *it))
      pending.push_back(dependency);
  }
  while (!pending.empty()) {
    Target* dependency = pending.back();
    pending.pop_back();
    if (std::find(visited.begin(), visited.end(), dependency) != visited.end())
      continue;
    visited.push_back(dependency);
    // A target named directly is linked where it is named.
    if (std::find(named.begin(), named.end(), dependency) == named.end())
      passed_on.push_back(dependency);
    for (auto it = dependency->dependencies.rbegin();
         it != dependency->dependencies.rend(); ++it) {
      if (!dependency->publicDependencies.count(*it))
        continue;
      if (Target* further = find(*dependency, *it))
        pending.push_back(further);
    }
  }
  return passed_on;
}

// Appends the library that `dependency` builds in `configuration`'s
// configuration of the same name (created in it when missing) to the
// libraries, and its directory to `libraryPaths` unless `knownPaths` has it.
void AddLinkInput(Target& dependency,
                  bool imported,
                  Configuration& configuration,
                  std::unordered_set<std::string>* knownPaths) {
  // An existing configuration keeps its type; only one made here takes
  // the type of the configuration being written.
  Configuration* matching = dependency.FindConfiguration(configuration.name);
  if (!matching) {
    matching = &dependency.FindOrCreateConfiguration(configuration.name,
                                                     configuration.type);
  }
  const Configuration& defaults = dependency.DefaultConfiguration();
  const std::string& file =
      matching->outFile.empty() ? defaults.outFile : matching->outFile;
  const std::string& directory =
      matching->outDir.empty() ? defaults.outDir : matching->outDir;
  if (file.empty() || directory.empty())
    return;

  std::string library = LibraryNameFromFile(file);
  std::string path = imported ? dependency.importPath + directory : directory;
  configuration.libraries.push_back(std::move(library));
  if (knownPaths->insert(path).second)
    configuration.searchPaths.library.push_back(std::move(path));
}

}  // namespace

void AddDependencyLinkInputs(const Target& target,
                             Configuration& configuration) {
  if (target.dependencies.empty() || !target.project)
    return;
  AddInheritedSettings(target, configuration);
  const Project& project = *target.project;
  const TextList& library_paths = configuration.searchPaths.library;
  std::unordered_set<std::string> known_paths(library_paths.begin(),
                                              library_paths.end());
  for (const std::string& name : target.dependencies) {
    bool imported = false;
    Target* dependency = project.FindTarget(name);
    if (!dependency) {
      dependency = project.FindImportedTarget(name);
      imported = dependency != nullptr;
    }
    if (dependency)
      AddLinkInput(*dependency, imported, configuration, &known_paths);
  }
  // What the dependencies pass on is linked after them, as the public
  // settings of those targets are compiled in.
  for (Target* dependency : PassedOnDependencies(target)) {
    AddLinkInput(*dependency, dependency->project != target.project,
                 configuration, &known_paths);
  }
}

void AppendVariableBlock(std::string* fragment,
                         const Target& target,
                         const Configuration& configuration) {
  const std::string& t = target.name;
  const std::string& c = configuration.name;
  const bool is_default = IsDefaultConfigurationName(c);
  std::string* out = fragment;

  AppendFormat(out, "%s_%s_hpaths   = \n", {t, c});
  AppendWordList(out, "%s_%s_hpaths  += %s\n", t, c,
                 configuration.searchPaths.header);

  AppendFormat(out, "%s_%s_lpaths   = \n", {t, c});
  AppendWordList(out, "%s_%s_lpaths  += %s\n", t, c,
                 configuration.searchPaths.library);

  if (is_default)
    AppendFormat(out, "%s_%s_defines  = $(%s_custom_defines)\n", {t, c, t});
  else
    AppendFormat(out, "%s_%s_defines  = \n", {t, c});
  AppendList(out, "%s_%s_defines += %s\n", t, c, configuration.defines);

  if (is_default)
    AppendFormat(out, "%s_%s_libraries  = \n", {t, c});
  else
    AppendFormat(out, "%s_%s_libraries  = $(%s_default_libraries)\n",
                 {t, c, t});
  AppendWordList(out, "%s_%s_libraries += %s\n", t, c, configuration.libraries);

  // The neutral settings and system packages in force, for the
  // configurations make builds. The neutral compile options come first, as
  // in the ninja output, so that the author's own flags (the default
  // configuration's too) can still change them.
  GccNeutralFlags neutral;
  PackageFlags packages;
  std::string compile;
  if (!is_default) {
    ResolvedConfiguration resolved = ResolveConfiguration(
        target, target.DefaultConfiguration(), configuration);
    neutral = GccFlags(resolved.neutral);
    compile = neutral.compile;
    // A shared library's objects are position independent, as in the
    // ninja output.
    const std::string pic = PositionIndependentFlag(resolved);
    if (!pic.empty())
      compile += compile.empty() ? pic : " " + pic;
    if (target.project)
      packages = CombinedPackageFlags(*target.project, PackagesOf(resolved));
  }
  if (is_default)
    AppendFormat(out, "%s_%s_cflags   = $(%s_custom_cflags)\n", {t, c, t});
  else if (!compile.empty())
    AppendFormat(out, "%s_%s_cflags   = %s $(%s_default_cflags)\n",
                 {t, c, compile, t});
  else
    AppendFormat(out, "%s_%s_cflags   = $(%s_default_cflags)\n", {t, c, t});
  AppendFormat(out, "%s_%s_cflags  += $(addprefix -D, $(%s_%s_defines))\n",
               {t, c, t, c});
  AppendFormat(out, "%s_%s_cflags  += $(addprefix -I, $(%s_%s_hpaths))\n",
               {t, c, t, c});
  AppendList(out, "%s_%s_cflags  += %s\n", t, c, configuration.cflags);
  // System packages after the author's flags, as in the ninja output.
  for (const std::string& word : packages.cflags)
    AppendFormat(out, "%s_%s_cflags  += %s\n", {t, c, MakeShellWord(word)});

  if (is_default)
    AppendFormat(out, "%s_%s_lflags   = $(%s_custom_lflags)\n", {t, c, t});
  else
    AppendFormat(out, "%s_%s_lflags   = $(%s_default_lflags)\n", {t, c, t});
  AppendFormat(out, "%s_%s_lflags  += $(addprefix -L, $(%s_%s_lpaths))\n",
               {t, c, t, c});
  AppendFormat(out, "%s_%s_lflags  += $(addprefix -l, $(%s_%s_libraries))\n",
               {t, c, t, c});
  AppendList(out, "%s_%s_lflags  += %s\n", t, c, configuration.lflags);
  for (const std::string& word : packages.libs)
    AppendFormat(out, "%s_%s_lflags  += %s\n", {t, c, MakeShellWord(word)});
  if (!neutral.link.empty())
    AppendFormat(out, "%s_%s_lflags  += %s\n", {t, c, neutral.link});
}

void ResolveDependencyLinkInputs(Target& target) {
  // A target that names itself finds its own configuration by that name, so
  // the list does not grow here; the bound is for safety all the same.
  const size_t count = target.configurations.size();
  for (size_t i = 0; i < count; ++i) {
    Configuration& configuration = *target.configurations[i];
    if (configuration.show)
      AddDependencyLinkInputs(target, configuration);
  }
}

std::string FormatTargetMakefile(const std::string& platformName,
                                 const Target& target,
                                 const MakeSourceLists& sources,
                                 std::string* dependsLines) {
  std::string out;
  AppendTargetMakefile(platformName, target, target.configurations, sources,
                       &out, dependsLines);
  return out;
}

void AppendTargetMakefile(const std::string& platformName,
                          const Target& target,
                          const std::vector<Configuration*>& configurations,
                          const MakeSourceLists& sources,
                          std::string* out,
                          std::string* dependsLines) {
  AppendFormat(out, "# Makefile generated by QEV for %s\n\n", {platformName});
  out->append("-include Makefile.custom\n\n");
  AppendSourceLists(out, target, sources);
  out->append("\n");
  // Steps set on the target are made once, before any object.
  AppendGenerateRules(out, target.DefaultConfiguration().generateSteps);
  for (const auto& [listed, output] : sources.generatedSources) {
    if (listed != output)
      AppendFormat(out, "%s: %s\n\n", {listed, output});
  }

  for (const Configuration* configuration : configurations) {
    if (!configuration->show)
      continue;
    AppendVariableBlock(out, target, *configuration);
    if (!IsDefaultConfigurationName(configuration->name)) {
      WriteTargetRules(out, target, target.DefaultConfiguration(),
                       *configuration, dependsLines);
    }
  }
}
