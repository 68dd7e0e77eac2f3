#include "model/model.h"

#include <algorithm>
#include <unordered_set>

#include "base/path.h"
#include "base/text.h"
#include "model/wildcard.h"

Configuration::Configuration(std::string name, std::string type)
    : name(std::move(name)), type(std::move(type)) {}

void Configuration::AddSearchPath(const std::string& path, int kind) {
  if (kind == kHeaderPath)
    searchPaths.header.push_back(path);
  else if (kind == kLibraryPath)
    searchPaths.library.push_back(path);
}

bool IsAbsoluteFoundPath(const std::string& path) {
  // A name found on disk holds no "/", so one in the path is the pattern's.
  return NameAfterLastSlash(path).size() != path.size() && IsAbsolutePath(path);
}

std::string FullFilePath(const std::string& root, const std::string& path) {
  if (IsAbsoluteFoundPath(path))
    return path;
  return root + "/" + path;
}

FileEntry::FileEntry(std::string path, std::string root, bool directory)
    : path(std::move(path)),
      root(std::move(root)),
      absolute(IsAbsoluteFoundPath(this->path)),
      directory(directory) {
  fullPath = FullFilePath(this->root, this->path);
}

std::string_view FileEntry::name() const {
  return NameAfterLastSlash(path);
}

Target::Target(std::string name, Project* project)
    : name(std::move(name)),
      defaultConfiguration("default"),
      configurations{&defaultConfiguration},
      project(project) {}

std::unique_ptr<Target> Target::Clone() const {
  auto copy = std::make_unique<Target>(name, project);
  copy->importPath = importPath;
  copy->exportDir = exportDir;
  copy->StartFrom(*this);
  copy->line = line;
  copy->show = show;
  return copy;
}

void Target::StartFrom(const Target& base) {
  defaultConfiguration = base.defaultConfiguration;
  // A derived configuration may have taken the default's place in the list.
  configurations.clear();
  ownedConfigurations_.clear();
  for (const Configuration* configuration : base.configurations) {
    if (configuration == &base.defaultConfiguration) {
      configurations.push_back(&defaultConfiguration);
      continue;
    }
    auto owned = std::make_unique<Configuration>(*configuration);
    configurations.push_back(owned.get());
    ownedConfigurations_.push_back(std::move(owned));
  }
  // An output file named after the base, as a configuration made by name
  // gets it, is this target's own.
  if (base.name != name) {
    for (Configuration* configuration : configurations) {
      if (configuration->outFile == base.name)
        configuration->outFile = name;
    }
  }
  fileGroups = base.fileGroups;
  dependencies = base.dependencies;
  dependencyLines = base.dependencyLines;
  publicDependencies = base.publicDependencies;
  test = base.test;
}

Configuration* Target::FindConfiguration(const std::string& name) const {
  for (Configuration* configuration : configurations) {
    if (EqualsNoCase(configuration->name, name))
      return configuration;
  }
  return nullptr;
}

Configuration& Target::FindOrCreateConfiguration(
    const std::string& name,
    const std::optional<std::string>& type) {
  if (Configuration* found = FindConfiguration(name)) {
    if (type)
      found->type = *type;
    return *found;
  }
  auto created =
      std::make_unique<Configuration>(name, type.value_or(std::string()));
  created->outFile = this->name;
  configurations.push_back(created.get());
  ownedConfigurations_.push_back(std::move(created));
  return *configurations.back();
}

Configuration& Target::DeriveConfiguration(
    const Configuration& base,
    const std::string& name,
    const std::optional<std::string>& type,
    bool* replaced) {
  // Copy before anything leaves the list: the base may be the one replaced.
  auto derived = std::make_unique<Configuration>(base);
  derived->name = name;
  if (type)
    derived->type = *type;

  *replaced = false;
  for (auto it = configurations.begin(); it != configurations.end(); ++it) {
    if (EqualsNoCase((*it)->name, name)) {
      Configuration* old = *it;
      configurations.erase(it);
      ReleaseConfiguration(old);
      *replaced = true;
      break;
    }
  }
  configurations.push_back(derived.get());
  ownedConfigurations_.push_back(std::move(derived));
  return *configurations.back();
}

void Target::ReleaseConfiguration(Configuration* configuration) {
  // The default configuration is part of the target and is never released.
  auto owned = std::find_if(
      ownedConfigurations_.begin(), ownedConfigurations_.end(),
      [configuration](const std::unique_ptr<Configuration>& candidate) {
        return candidate.get() == configuration;
      });
  if (owned != ownedConfigurations_.end())
    ownedConfigurations_.erase(owned);
}

FileGroup* Target::FindFileGroup(const std::string& group) {
  FileGroup* match = nullptr;
  for (FileGroup& candidate : fileGroups) {
    if (EqualsNoCase(candidate.name, group))
      match = &candidate;
  }
  return match;
}

FileGroup& Target::FindOrAddFileGroup(const std::string& group) {
  if (FileGroup* found = FindFileGroup(group))
    return *found;
  fileGroups.emplace_back(group);
  return fileGroups.back();
}

void Target::AddFile(const std::string& group,
                     const std::string& root,
                     const std::string& path) {
  FindOrAddFileGroup(group).files.emplace_back(path, root);
}

void Target::AddFiles(const std::string& group,
                      const std::string& root,
                      const std::vector<FileMatch>& matches) {
  if (matches.empty())
    return;
  std::vector<FileEntry>& files = FindOrAddFileGroup(group).files;
  // Most groups get all their files at once; later additions grow as usual.
  if (files.empty())
    files.reserve(matches.size());
  for (const FileMatch& match : matches)
    files.emplace_back(match.path, root, match.directory);
}

void Target::RemoveFile(const std::string& group,
                        const std::string& root,
                        const std::string& path) {
  RemoveFiles(group, root, {FileMatch{path}});
}

void Target::RemoveFiles(const std::string& group,
                         const std::string& root,
                         const std::vector<FileMatch>& matches) {
  FileGroup* target_group = FindFileGroup(group);
  if (!target_group || matches.empty())
    return;
  std::unordered_set<std::string> doomed;
  for (const FileMatch& match : matches)
    doomed.insert(FullFilePath(root, match.path));
  std::vector<FileEntry>& files = target_group->files;
  files.erase(std::remove_if(files.begin(), files.end(),
                             [&doomed](const FileEntry& entry) {
                               return doomed.count(entry.fullPath) != 0;
                             }),
              files.end());
}

void Project::AddTarget(std::unique_ptr<Target> target) {
  targetIndex_.emplace(target->name, target.get());
  targets.push_back(std::move(target));
}

Target* Project::TargetAt(size_t index) const {
  return index < targets.size() ? targets[index].get() : nullptr;
}

Target* Project::FindTarget(const std::string& name) const {
  auto found = targetIndex_.find(name);
  return found == targetIndex_.end() ? nullptr : found->second;
}

void Project::RemoveTargetAt(size_t index) {
  TakeTargetAt(index);
}

std::unique_ptr<Target> Project::TakeTargetAt(size_t index) {
  std::unique_ptr<Target> taken = std::move(targets[index]);
  targets.erase(targets.begin() + static_cast<std::ptrdiff_t>(index));
  targetIndex_.clear();
  for (const auto& target : targets)
    targetIndex_.emplace(target->name, target.get());
  return taken;
}

void Project::AddImportedTarget(Target* target, int line) {
  importedTargetIndex_.emplace(target->name, target);
  importedTargets.push_back(target);
  importLines.resize(importedTargets.size() - 1);
  importLines.push_back(line);
}

Target* Project::ImportedTargetAt(size_t index) const {
  return index < importedTargets.size() ? importedTargets[index] : nullptr;
}

Target* Project::FindImportedTarget(const std::string& name) const {
  auto found = importedTargetIndex_.find(name);
  return found == importedTargetIndex_.end() ? nullptr : found->second;
}

std::unique_ptr<Workspace> MakeImportWorkspace(const Workspace& parent) {
  auto workspace = std::make_unique<Workspace>();
  workspace->projectFile = parent.projectFile;
  workspace->tool = parent.tool;
  workspace->platform = parent.platform;
  workspace->verbosity = parent.verbosity;
  workspace->reporter = parent.reporter;
  workspace->disk = parent.disk;
  workspace->listings = parent.listings;
  workspace->exportImport = parent.exportImport;
  workspace->enclosingFiles = parent.enclosingFiles;
  workspace->loaded = parent.loaded;
  workspace->arguments = parent.arguments;
  workspace->startDirectory = parent.startDirectory;
  return workspace;
}
