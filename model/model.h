#ifndef QEV_MODEL_MODEL_H_
#define QEV_MODEL_MODEL_H_

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/wildcard.h"

class DirectoryListings;
class Disk;
class Reporter;

// The project model: what one description file says, in the shape the
// exporters read. Records are plain data with public fields; the few
// operations keep the invariants (unique configuration and group names,
// lookups by name).

// Ordered, duplicates kept, never sorted.
using TextList = std::vector<std::string>;
// Sorted by byte order, unique.
using TextSet = std::set<std::string>;

enum SearchPathKind { kHeaderPath = 0, kLibraryPath = 1 };

struct SearchPaths {
  TextList header;
  TextList library;
};

// The compiler-neutral settings, as the description writes them ("" when
// not set): OPTIMIZE, DEBUGINFO, CSTANDARD, CXXSTANDARD, WARNINGS,
// WARNINGSASERRORS, RUNTIME. neutral_settings.h reads their values.
struct NeutralSettings {
  std::string optimize;
  std::string debugInfo;
  std::string cStandard;
  std::string cxxStandard;
  std::string warnings;
  std::string warningsAsErrors;
  std::string runtime;
};

// What a target passes on to the targets that depend on it (settings
// marked public="true"); the target itself has them in its own lists too.
struct UsageRequirements {
  TextList defines;
  SearchPaths searchPaths;
  TextList cflags;
  TextList lflags;
  TextList libraries;
  TextList packages;
  NeutralSettings neutral;
};

// A custom build step (GENERATE): a command that makes `outputs` (relative
// to the directory the build file is written in) from `inputs` (found as
// FILES items are: below `root`, relative to the description's base).
struct GenerateStep {
  std::string command;
  std::string root;
  TextList inputs;
  TextList outputs;
  int line = 0;  // of the element in the description, 0 when unknown
};

struct Configuration {
  // `type` empty means no type.
  explicit Configuration(std::string name, std::string type = std::string());

  void AddSearchPath(const std::string& path, int kind);
  void AddDefine(const std::string& text) { defines.push_back(text); }
  void AddCFlag(const std::string& text) { cflags.push_back(text); }
  void AddLFlag(const std::string& text) { lflags.push_back(text); }
  void AddLibrary(const std::string& text) { libraries.push_back(text); }

  std::string name;
  std::string type;
  std::string outDir;
  std::string impDir;
  std::string outFile;
  std::string preBuildEvent;
  std::string postBuildEvent;
  std::string preLinkEvent;
  TextList cflags;
  TextList lflags;
  SearchPaths searchPaths;
  TextList defines;
  TextList libraries;
  bool exceptionHandling = true;
  bool exceptionHandlingSet = false;
  bool show = true;
  bool disableDefaultManifest = false;
  NeutralSettings neutral;
  UsageRequirements usage;
  // System packages asked of pkg-config (PACKAGES).
  TextList packages;
  std::vector<GenerateStep> generateSteps;
  // How a test program runs (TESTARGS, TESTDIR): its arguments as shell
  // text and its working directory, relative to the build file's.
  std::string testArguments;
  std::string testDirectory;
};

struct FileEntry {
  FileEntry(std::string path, std::string root, bool directory = false);

  // The name as found on disk: what follows the last "/" of `path` (a "\"
  // there is part of the name).
  std::string_view name() const;

  std::string path;  // as the search found it, relative to root
  std::string root;  // the FILES element's root, "" when none
  // root + "/" + path, also when root is empty; a path of an absolute
  // pattern as it is.
  std::string fullPath;
  // Only the pattern can make a path absolute: a name found on disk that
  // looks like one ("c:x.cpp", "\\x.cpp") is still below the root.
  bool absolute = false;
  // The search found a directory: listed, but never compiled or linked.
  bool directory = false;
};

// True when `path`, as a file search reports it, came from an absolute
// pattern: its directory part (up to the last "/") is absolute.
bool IsAbsoluteFoundPath(const std::string& path);

// What FileEntry::fullPath is for `path` found under `root`.
std::string FullFilePath(const std::string& root, const std::string& path);

struct FileGroup {
  explicit FileGroup(std::string name) : name(std::move(name)) {}

  std::string name;
  std::vector<FileEntry> files;
};

struct Project;

// The flags pkg-config gives for a list of system packages (PACKAGES).
struct PackageFlags {
  TextList cflags;
  TextList libs;
};

// What a project was generated from, for build files that rerun qev when it
// changes: the run's command line and directory, and every description and
// FILES directory that was read for the project or its imports.
struct ProjectOrigin {
  std::string startDirectory;  // absolute: where qev was started
  TextList arguments;          // qev's arguments, the program name first
  TextSet descriptionFiles;    // absolute paths
  TextSet listedDirectories;   // absolute paths, normalised
  TextSet packageFiles;        // the .pc files of its packages, absolute
};

struct Target {
  Target(std::string name, Project* project);
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  // A deep copy: same fields, configurations of its own, same project.
  std::unique_ptr<Target> Clone() const;

  // Makes this target a copy of `base` (basetarget): its default and named
  // configurations (an output file named after `base` renamed after this
  // target), file groups, dependencies and test flag; name, project, export
  // directory and visibility stay.
  void StartFrom(const Target& base);

  Configuration& DefaultConfiguration() { return defaultConfiguration; }
  const Configuration& DefaultConfiguration() const {
    return defaultConfiguration;
  }

  // The first configuration whose name equals `name` ignoring ASCII case, or
  // null.
  Configuration* FindConfiguration(const std::string& name) const;

  // The first configuration named `name` (ASCII case ignored), its type
  // replaced when `type` is given; or a new one with that name and type and
  // the target's name as output file, appended to `configurations`.
  Configuration& FindOrCreateConfiguration(
      const std::string& name,
      const std::optional<std::string>& type);

  // Appends a copy of `base` renamed to `name` (and retyped when `type` is
  // given). A configuration of that name already in the list leaves it
  // first; `*replaced` tells whether one did.
  Configuration& DeriveConfiguration(const Configuration& base,
                                     const std::string& name,
                                     const std::optional<std::string>& type,
                                     bool* replaced);

  void SetExportDir(const std::string& dir) { exportDir = dir; }
  // `line` is that of the element naming it in the description, 0 when
  // unknown.
  void AddDependency(const std::string& name, int line = 0) {
    dependencies.push_back(name);
    dependencyLines.resize(dependencies.size() - 1);
    dependencyLines.push_back(line);
  }

  // Adds root + "/" + path to the group named `group` (ASCII case ignored),
  // creating the group at the end when there is none. Duplicates stay.
  void AddFile(const std::string& group,
               const std::string& root,
               const std::string& path);
  // AddFile for many matches of a search; a new group is made exactly as
  // large as needed.
  void AddFiles(const std::string& group,
                const std::string& root,
                const std::vector<FileMatch>& matches);
  // Removes every entry of the group whose full path is root + "/" + path.
  // A missing group is not created.
  void RemoveFile(const std::string& group,
                  const std::string& root,
                  const std::string& path);
  // RemoveFile for many matches in one pass over the group.
  void RemoveFiles(const std::string& group,
                   const std::string& root,
                   const std::vector<FileMatch>& matches);

  std::string importPath;
  std::string name;
  std::string exportDir;
  Configuration defaultConfiguration;
  // Starts with &defaultConfiguration; the others are owned below.
  std::vector<Configuration*> configurations;
  std::vector<FileGroup> fileGroups;
  TextList dependencies;
  std::vector<int> dependencyLines;  // beside dependencies, may be shorter
  // Dependencies whose public settings pass on further (DEPENDENCIES
  // public="true").
  TextSet publicDependencies;
  Project* project;
  int line = 0;  // of the target element in the description; 0 when unknown
  // A program that is a test (test="true"), run by the test goals.
  bool test = false;
  // False for a template (show="false"): no tool writes it, other targets
  // start from it (basetarget).
  bool show = true;

 private:
  FileGroup* FindFileGroup(const std::string& group);
  FileGroup& FindOrAddFileGroup(const std::string& group);
  void ReleaseConfiguration(Configuration* configuration);

  std::vector<std::unique_ptr<Configuration>> ownedConfigurations_;
};

struct Project {
  explicit Project(std::string name) : name(std::move(name)) {}
  Project(const Project&) = delete;
  Project& operator=(const Project&) = delete;

  void AddTarget(std::unique_ptr<Target> target);
  size_t TargetCount() const { return targets.size(); }
  Target* TargetAt(size_t index) const;
  // The first own target named exactly `name`, or null.
  Target* FindTarget(const std::string& name) const;
  // Removes the target at `index` (which must exist) and destroys it.
  void RemoveTargetAt(size_t index);
  // Removes the target at `index` (which must exist) and hands it over.
  std::unique_ptr<Target> TakeTargetAt(size_t index);

  // `line` is that of the import element that lent it, 0 when unknown.
  void AddImportedTarget(Target* target, int line = 0);
  size_t ImportedTargetCount() const { return importedTargets.size(); }
  Target* ImportedTargetAt(size_t index) const;
  // The first imported target named exactly `name`, or null.
  Target* FindImportedTarget(const std::string& name) const;

  void SetExportDir(const std::string& dir) { exportDir = dir; }

  std::string name;
  std::string exportDir;
  // Where the description's relative paths start, as the disk takes it:
  // "" for the directory qev runs in, an import's root (joined onto its
  // importer's) for imported descriptions.
  std::string baseDirectory;
  // The description it was read from, as the command line or the import
  // names it, for messages.
  std::string descriptionFile;
  // The same, absolute; empty when no file was read.
  std::string descriptionPath;
  // The flags of each list of packages its configurations use (see
  // model/packages.h), by PackageListKey; filled before the export by
  // tools that resolve packages.
  std::map<std::string, PackageFlags> packageFlags;
  std::vector<std::unique_ptr<Target>> targets;
  // Templates (show="false"), which no tool writes, taken out of `targets`
  // before the export: each with the position it had there, for the dump.
  std::vector<std::pair<size_t, std::unique_ptr<Target>>> templates;
  std::vector<Target*> importedTargets;  // borrowed from imported workspaces
  std::vector<int> importLines;  // beside importedTargets, may be shorter
  int version = 0;
  TextSet configurationFilter;
  std::string outputName;
  int line = 0;  // of the project element in the description; 0 when unknown
  ProjectOrigin origin;

 private:
  // Name to first target of that name, so lookups stay cheap on large
  // descriptions and still give what a front-to-back scan would.
  std::unordered_map<std::string, Target*> targetIndex_;
  std::unordered_map<std::string, Target*> importedTargetIndex_;
};

struct Workspace;

// A description loaded in this run, by canonical path: its workspace and the
// targets it lends to an importer, each with its import path as it was
// before any importer prefixed it.
struct LoadedDescription {
  Workspace* workspace = nullptr;
  std::vector<std::pair<Target*, std::string>> lent;
};
using LoadedDescriptions = std::unordered_map<std::string, LoadedDescription>;

struct Workspace {
  Workspace() = default;
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  std::optional<std::string> projectFile;
  std::optional<std::string> tool;
  std::optional<std::string> platform;
  TextSet configurationFilter;
  int verbosity = 4;
  // Threads the export may work on (-j); 0 for as many as the host runs
  // at once.
  int jobs = 0;
  int version = 0;
  Project* currentProject = nullptr;
  Target* currentTarget = nullptr;
  Configuration* currentConfiguration = nullptr;
  std::vector<std::unique_ptr<Project>> projects;
  std::vector<std::unique_ptr<Workspace>> imports;
  // Copies of the targets of descriptions imported a second time.
  std::vector<std::unique_ptr<Target>> reusedTargets;
  std::optional<std::string> outputName;
  // The command line and start directory of the run (copied into imports),
  // and where this workspace's description is and is read from.
  TextList arguments;
  std::string startDirectory;
  // Where the description's relative paths start (see
  // Project::baseDirectory), and the same as an absolute path once loaded.
  std::string baseDirectory;
  std::string loadDirectory;
  std::string descriptionPath;  // absolute path of projectFile once loaded
  // The description's text while it is read, for the source lines of
  // warnings.
  const std::string* descriptionText = nullptr;

  // Shared by a workspace and all its imports.
  Reporter* reporter = nullptr;
  Disk* disk = nullptr;
  // Directory listings of the whole run, when the caller keeps them.
  DirectoryListings* listings = nullptr;
  // Called with each imported workspace once it is loaded, before its
  // targets join the importing project; false when it could not be
  // exported. Without it imports are only read.
  std::function<bool(Workspace&)> exportImport;
  // Canonical paths of the descriptions being loaded around this one, the
  // top-level file first; an import of one of them would never end.
  std::vector<std::string> enclosingFiles;
  // Every description that this run has imported, shared by the top
  // workspace and all its imports: each is read and exported once.
  std::shared_ptr<LoadedDescriptions> loaded =
      std::make_shared<LoadedDescriptions>();
};

// A workspace for an import element: tool, platform, verbosity, project file,
// reporter and disk taken over from `parent`, everything else empty.
std::unique_ptr<Workspace> MakeImportWorkspace(const Workspace& parent);

#endif  // QEV_MODEL_MODEL_H_
