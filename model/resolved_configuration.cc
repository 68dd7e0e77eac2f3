#include "model/resolved_configuration.h"

#include <algorithm>

#include "base/text.h"
#include "model/split_items.h"

namespace {

// Applies one type text as Visual Studio reads it; a text that names no
// type changes nothing.
void ApplyVisualStudioType(const std::string& type, ResolvedConfiguration* r) {
  if (EqualsNoCase(type, "lib"))
    r->kind = TargetKind::kStaticLibrary;
  else if (EqualsNoCase(type, "dll") || EqualsNoCase(type, "shared_lib"))
    r->kind = TargetKind::kSharedLibrary;
  else if (EqualsNoCase(type, "exe") || EqualsNoCase(type, "app"))
    r->kind = TargetKind::kWindowsProgram;
  else if (EqualsNoCase(type, "console"))
    r->kind = TargetKind::kConsoleProgram;
  else
    return;
  if (r->kind == TargetKind::kWindowsProgram)
    r->windowsSubsystem = true;
  else if (r->kind == TargetKind::kConsoleProgram)
    r->windowsSubsystem = false;
  r->kindNamed = true;
}

TargetKind BuildKindOf(const std::string& type) {
  if (EqualsNoCase(type, "SHARED_LIB"))
    return TargetKind::kSharedLibrary;
  if (EqualsNoCase(type, "LIB"))
    return TargetKind::kStaticLibrary;
  return TargetKind::kConsoleProgram;
}

const std::string& OwnElseBase(const std::string& own,
                               const std::string& base) {
  return own.empty() ? base : own;
}

void Append(TextList* into, const TextList& from) {
  into->insert(into->end(), from.begin(), from.end());
}

void AppendPaths(std::vector<InheritedPath>* into,
                 const TextList& from,
                 const Target* owner) {
  for (const std::string& path : from)
    into->push_back({path, owner});
}

void AddUsage(const UsageRequirements& usage,
              const Target* owner,
              InheritedSettings* inherited) {
  Append(&inherited->defines, usage.defines);
  AppendPaths(&inherited->headerPaths, usage.searchPaths.header, owner);
  AppendPaths(&inherited->libraryPaths, usage.searchPaths.library, owner);
  Append(&inherited->cflags, usage.cflags);
  Append(&inherited->lflags, usage.lflags);
  Append(&inherited->libraries, usage.libraries);
  Append(&inherited->packages, usage.packages);
  FillNeutralSettings(usage.neutral, &inherited->neutral);
}

// The target `name` names for `from`: its project's own or imported one.
const Target* FindDependency(const Target& from, const std::string& name) {
  if (!from.project)
    return nullptr;
  if (const Target* own = from.project->FindTarget(name))
    return own;
  return from.project->FindImportedTarget(name);
}

}  // namespace

bool InheritedSettings::empty() const {
  return defines.empty() && headerPaths.empty() && libraryPaths.empty() &&
         cflags.empty() && lflags.empty() && libraries.empty() &&
         packages.empty() && NoNeutralSettings(neutral);
}

InheritedSettings InheritedFrom(const Target& target,
                                const std::string& configurationName,
                                bool withDefaults) {
  InheritedSettings inherited;
  // Depth first in the order of the dependencies, each target once.
  std::vector<const Target*> visited = {&target};
  std::vector<const Target*> pending;
  for (auto it = target.dependencies.rbegin(); it != target.dependencies.rend();
       ++it) {
    if (const Target* dependency = FindDependency(target, *it))
      pending.push_back(dependency);
  }
  while (!pending.empty()) {
    const Target* dependency = pending.back();
    pending.pop_back();
    if (std::find(visited.begin(), visited.end(), dependency) != visited.end())
      continue;
    visited.push_back(dependency);
    if (withDefaults)
      AddUsage(dependency->DefaultConfiguration().usage, dependency,
               &inherited);
    const Configuration* named =
        dependency->FindConfiguration(configurationName);
    if (named && named != &dependency->DefaultConfiguration())
      AddUsage(named->usage, dependency, &inherited);
    // What its public dependencies pass on passes on further.
    for (auto it = dependency->dependencies.rbegin();
         it != dependency->dependencies.rend(); ++it) {
      if (!dependency->publicDependencies.count(*it))
        continue;
      if (const Target* further = FindDependency(*dependency, *it))
        pending.push_back(further);
    }
  }
  return inherited;
}

ResolvedConfiguration ResolveConfiguration(const Target& target,
                                           const Configuration& base,
                                           const Configuration& configuration) {
  ResolvedConfiguration resolved;
  resolved.target = &target;
  resolved.configuration = &configuration;
  resolved.base = &base;

  ApplyVisualStudioType(base.type, &resolved);
  ApplyVisualStudioType(configuration.type, &resolved);
  resolved.buildKind =
      BuildKindOf(base.type.empty() ? configuration.type : base.type);

  resolved.outDir = OwnElseBase(configuration.outDir, base.outDir);
  resolved.outFile = OwnElseBase(configuration.outFile, base.outFile);
  resolved.impDir = OwnElseBase(configuration.impDir, base.impDir);
  resolved.exceptionHandling = configuration.exceptionHandlingSet
                                   ? configuration.exceptionHandling
                                   : base.exceptionHandling;
  resolved.preBuildEvent =
      OwnElseBase(configuration.preBuildEvent, base.preBuildEvent);
  resolved.preLinkEvent =
      OwnElseBase(configuration.preLinkEvent, base.preLinkEvent);
  resolved.postBuildEvent =
      OwnElseBase(configuration.postBuildEvent, base.postBuildEvent);

  resolved.inherited = InheritedFrom(target, configuration.name);
  resolved.neutralSettings = configuration.neutral;
  FillNeutralSettings(base.neutral, &resolved.neutralSettings);
  FillNeutralSettings(resolved.inherited.neutral, &resolved.neutralSettings);
  resolved.neutral = ReadNeutralValues(resolved.neutralSettings);
  return resolved;
}

bool IsDefaultConfigurationName(const std::string& name) {
  return EqualsNoCase(name, "default");
}

bool IsBuiltConfiguration(const Configuration& configuration) {
  return configuration.show && !IsDefaultConfigurationName(configuration.name);
}

std::string BuildOutputPath(const ResolvedConfiguration& resolved) {
  std::string file = resolved.outFile;
  // Without any file name the path would name the output directory itself,
  // which the clean rule would then remove whole.
  if (file.empty())
    file = resolved.target->name;
  if (file.find('.') == std::string::npos) {
    if (resolved.buildKind == TargetKind::kSharedLibrary)
      file += ".so";
    else if (resolved.buildKind == TargetKind::kStaticLibrary)
      file += ".a";
  }
  std::string path =
      resolved.outDir.empty() ? std::string(".") : resolved.outDir;
  path += '/';
  path += file;
  return path;
}

std::string PositionIndependentFlag(const ResolvedConfiguration& resolved) {
  if (resolved.buildKind != TargetKind::kSharedLibrary)
    return std::string();
  for (const Configuration* layer : {resolved.base, resolved.configuration}) {
    if (!layer)
      continue;
    for (const std::string& flags : layer->cflags) {
      for (const std::string& word : SplitItems(flags)) {
        if (word == "-fPIC" || word == "-fpic")
          return std::string();
      }
    }
  }
  return "-fPIC";
}
