#include "exporters/ninja/build_graph.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "base/path.h"
#include "base/text.h"
#include "exporters/ninja/ninja_escape.h"
#include "exporters/ninja/output_check.h"
#include "model/model.h"
#include "model/packages.h"
#include "model/resolved_configuration.h"

namespace {

LinkKind LinkKindOf(TargetKind kind) {
  switch (kind) {
    case TargetKind::kSharedLibrary:
      return LinkKind::kSharedLibrary;
    case TargetKind::kStaticLibrary:
      return LinkKind::kStaticLibrary;
    case TargetKind::kConsoleProgram:
    case TargetKind::kWindowsProgram:
      break;
  }
  return LinkKind::kExecutable;
}

// The settings that every configuration of a target starts from, as make
// reads them: the last shown configuration named "default".
const Configuration* DefaultsOf(const Target& target) {
  const Configuration* defaults = nullptr;
  for (const Configuration* configuration : target.configurations) {
    if (configuration->show && IsDefaultConfigurationName(configuration->name))
      defaults = configuration;
  }
  return defaults;
}

// Where an object goes below the object directory (see CompileStep).
// `*ambiguous` is set when a component is "__" already, which the renamed
// ".." could meet.
std::string ObjectName(const std::string& source, bool* ambiguous) {
  std::string out;
  out.reserve(source.size() + 8);
  size_t start = 0;
  if (!source.empty() && source[0] == '/') {
    out = "_abs";
    start = 1;
  }
  while (start <= source.size()) {
    size_t slash = source.find('/', start);
    if (slash == std::string::npos)
      slash = source.size();
    std::string_view part(source.data() + start, slash - start);
    if (!out.empty())
      out += '/';
    if (part == "..") {
      out += "__";
    } else {
      *ambiguous = *ambiguous || part == "__";
      out.append(part.data(), part.size());
    }
    start = slash + 1;
  }
  return out + ".o";
}

std::string VariableName(const std::string& text) {
  std::string out;
  for (char c : text) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                 (c >= '0' && c <= '9') || c == '_' || c == '-';
    out += plain ? c : '_';
  }
  return out;
}

void AppendWord(std::string* out, const std::string& word) {
  if (word.empty())
    return;
  if (!out->empty())
    *out += ' ';
  *out += word;
}

// A text that make would hand to the shell, on one line.
std::string ShellText(const std::string& text) {
  std::string out = UnescapeMake(text);
  std::replace(out.begin(), out.end(), '\n', ' ');
  std::replace(out.begin(), out.end(), '\r', ' ');
  return out;
}

// The lines of an event as one command list.
std::string EventCommand(const std::string& text) {
  std::string out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos)
      end = text.size();
    std::string line = text.substr(start, end - start);
    size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos) {
      if (!out.empty())
        out += " && ";
      out += line.substr(first);
    }
    start = end + 1;
  }
  return out;
}

// With -c names, only the configurations named (ASCII case ignored) are
// written; without, every one.
bool Selected(const TextSet& filter, const std::string& name) {
  if (filter.empty())
    return true;
  for (const std::string& wanted : filter) {
    if (EqualsNoCase(wanted, name))
      return true;
  }
  return false;
}

class Resolver {
 public:
  Resolver(const Project& project, const BuildGraphOptions& options)
      : project_(project), options_(options) {}

  bool Run(BuildGraph* graph, std::string* error);

 private:
  // What a target's file groups give, the same in every configuration.
  struct TargetFiles {
    std::shared_ptr<CompileSteps> compiles;
    std::vector<std::string> libraries;
    // Two sources might share an object name; checked one by one.
    bool ambiguous = false;
  };

  struct Source {
    const Target* target;
    const Configuration* configuration;
    // From the build directory to where the target's description paths
    // start, and to where its outputs go; "" for the build directory.
    std::string sourcePrefix;
    std::string outputPrefix;
    std::vector<size_t> dependencies;
    const TargetFiles* files = nullptr;
  };

  size_t UnitFor(const Target& target,
                 const Configuration& configuration,
                 bool built);
  void ResolveDependencies(size_t index);
  size_t NeededUnit(const Target& target, const Configuration& wanted);
  const Target* FindDependency(const Target& target, const std::string& name);
  std::string Prefix(const std::string& absolute) const;
  const std::string& BaseDirectory() const;
  // From the build directory to where `target`'s description paths start.
  std::string SourcePrefixOf(const Target& target) const;
  std::string PathFrom(const std::string& prefix,
                       const std::string& path) const;
  const TargetFiles& FilesOf(const Target& target, const std::string& prefix);
  void FillUnit(size_t index);
  void FillLinkInputs(size_t index);
  void AddGenerateSteps(size_t index);
  void AddGenerateEdge(size_t index, const GenerateStep& step, bool shared);
  void FillGeneratedAliases();
  std::string SearchPath(const Source& source, const std::string& path) const;

  const Project& project_;
  const BuildGraphOptions& options_;
  std::vector<BuildUnit> units_;
  std::vector<Source> sources_;
  std::map<std::pair<const Target*, const Configuration*>, size_t> index_;
  std::map<std::pair<const Target*, std::string>, size_t> synthesizedIndex_;
  std::deque<Configuration> synthesized_;
  std::unordered_set<std::string> variablePrefixes_;
  std::vector<size_t> visited_;
  std::unordered_map<const Target*, TargetFiles> files_;
  std::vector<std::string> warnings_;
  std::vector<GenerateEdge> generateEdges_;
  // The edges of the steps set on a target, which all its units share.
  std::unordered_map<const Target*, std::vector<size_t>> targetEdges_;
  std::unordered_set<const Target*> madeShared_;
};

std::string Resolver::Prefix(const std::string& absolute) const {
  std::string relative =
      RelativePath(options_.buildDirectory, absolute).value_or(absolute);
  return relative == "." ? std::string() : relative;
}

const Target* Resolver::FindDependency(const Target& target,
                                       const std::string& name) {
  const Project* owner = target.project ? target.project : &project_;
  if (const Target* found = owner->FindTarget(name))
    return found;
  return owner->FindImportedTarget(name);
}

size_t Resolver::UnitFor(const Target& target,
                         const Configuration& configuration,
                         bool built) {
  auto key = std::make_pair(&target, &configuration);
  auto found = index_.find(key);
  if (found != index_.end()) {
    units_[found->second].built = units_[found->second].built || built;
    return found->second;
  }
  size_t index = units_.size();
  index_.emplace(key, index);
  BuildUnit unit;
  unit.target = target.name;
  unit.configuration = configuration.name;
  unit.imported = target.project != &project_;
  unit.built = built;
  units_.push_back(std::move(unit));
  // Description paths start at the description's base (an import's root);
  // outputs are the make output's, relative to where that description's
  // make runs: the build directory, or an imported target's export
  // directory below its import root.
  Source source{&target, &configuration, SourcePrefixOf(target), "",
                {},      nullptr};
  if (target.project != &project_) {
    source.outputPrefix = Prefix(AbsolutePath(
        AbsolutePath(BaseDirectory(), target.importPath), target.exportDir));
  }
  sources_.push_back(std::move(source));
  return index;
}

const std::string& Resolver::BaseDirectory() const {
  return options_.baseDirectory.empty() ? options_.buildDirectory
                                        : options_.baseDirectory;
}

std::string Resolver::SourcePrefixOf(const Target& target) const {
  if (target.project == &project_ || target.importPath.empty())
    return Prefix(BaseDirectory());
  return Prefix(AbsolutePath(BaseDirectory(), target.importPath));
}

void Resolver::ResolveDependencies(size_t index) {
  const Target& target = *sources_[index].target;
  const Configuration& configuration = *sources_[index].configuration;
  // Dependencies of the same configuration; what they lack is made up as
  // make's dependency step would make it, without touching the model.
  for (const std::string& name : target.dependencies) {
    const Target* dependency = FindDependency(target, name);
    if (!dependency)
      continue;
    size_t needed = NeededUnit(*dependency, configuration);
    std::vector<size_t>& dependencies = sources_[index].dependencies;
    if (needed != index && std::find(dependencies.begin(), dependencies.end(),
                                     needed) == dependencies.end())
      dependencies.push_back(needed);
  }
}

size_t Resolver::NeededUnit(const Target& target, const Configuration& wanted) {
  if (const Configuration* existing = target.FindConfiguration(wanted.name))
    return UnitFor(target, *existing, false);
  auto key = std::make_pair(&target, ToLowerAscii(wanted.name));
  auto found = synthesizedIndex_.find(key);
  if (found != synthesizedIndex_.end())
    return found->second;
  // Made up as make's dependency step makes it (named like the wanted one,
  // the target's name as file), but of the dependency's own kind: the
  // dependent's type would make a library of a program.
  std::string type = wanted.type;
  for (const Configuration* configuration : target.configurations) {
    if (!configuration->type.empty()) {
      type = configuration->type;
      break;
    }
  }
  synthesized_.emplace_back(wanted.name, type);
  synthesized_.back().outFile = target.name;
  size_t index = UnitFor(target, synthesized_.back(), false);
  synthesizedIndex_.emplace(key, index);
  return index;
}

std::string Resolver::SearchPath(const Source& source,
                                 const std::string& path) const {
  return PathFrom(source.sourcePrefix, path);
}

std::string Resolver::PathFrom(const std::string& prefix,
                               const std::string& path) const {
  std::string text = ShellText(path);
  // Make variables ("$(SDK)/include") are the author's, kept as written.
  if (!prefix.empty() && !text.empty() && text[0] != '$' &&
      !IsAbsolutePath(text))
    text = NormalizePath(JoinPath(prefix, text));
  return ShellQuote(text);
}

const Resolver::TargetFiles& Resolver::FilesOf(const Target& target,
                                               const std::string& prefix) {
  TargetFiles& files = files_[&target];
  if (files.compiles)
    return files;
  auto compiles = std::make_shared<CompileSteps>();
  size_t count = 0;
  for (const FileGroup& group : target.fileGroups)
    count += group.files.size();
  // The views below point into these strings, which must not move.
  compiles->reserve(count);
  files.libraries.reserve(count);
  std::unordered_set<std::string_view> seen;
  seen.reserve(count);
  bool have_directory = false;
  std::string last_directory;
  std::string relative_directory;
  std::string full_directory;
  for (const FileGroup& group : target.fileGroups) {
    for (const FileEntry& file : group.files) {
      // Without a root the search ran in the base directory itself.
      const std::string& written =
          file.root.empty() || file.absolute ? file.path : file.fullPath;
      SourceKind kind = ClassifySource(written);
      if (kind == SourceKind::kOther || file.directory)
        continue;
      // The name found on disk must not become ninja syntax.
      std::string problem = NinjaPathProblem(file.name());
      if (!problem.empty()) {
        warnings_.push_back("target \"" + target.name + "\": \"" +
                            Printable(written) +
                            "\" is left out of the ninja output: " + problem +
                            ", which ninja cannot carry");
        continue;
      }
      // The directories are the author's, normalised; the name found on
      // disk is taken as it is, whatever it holds.
      std::string_view directory = std::string_view(written).substr(
          0, written.size() - file.name().size());
      // The files of a group share their directories: each is normalised
      // once for a run of files in it (JoinNormalized, in two steps).
      if (!have_directory || directory != last_directory) {
        last_directory.assign(directory);
        relative_directory = NormalizePath(directory);
        full_directory = NormalizePath(JoinPath(prefix, directory));
        have_directory = true;
      }
      auto joined = [&file](const std::string& normal) {
        return normal == "." ? std::string(file.name())
                             : JoinPath(normal, file.name());
      };
      std::string relative = joined(relative_directory);
      std::string path = file.absolute ? relative : joined(full_directory);
      std::string* kept;
      if (kind == SourceKind::kLinkInput) {
        files.libraries.push_back(std::move(path));
        kept = &files.libraries.back();
      } else {
        CompileStep step;
        step.source = std::move(path);
        step.objectName = ObjectName(relative, &files.ambiguous);
        step.kind = kind;
        compiles->push_back(std::move(step));
        kept = &compiles->back().source;
      }
      if (!seen.insert(*kept).second) {
        if (kind == SourceKind::kLinkInput)
          files.libraries.pop_back();
        else
          compiles->pop_back();
      }
    }
  }
  files.compiles = std::move(compiles);
  return files;
}

void Resolver::FillUnit(size_t index) {
  BuildUnit& unit = units_[index];
  Source& source = sources_[index];
  const Target& target = *source.target;
  const Configuration& configuration = *source.configuration;
  const Configuration& embedded = target.DefaultConfiguration();

  ResolvedConfiguration resolved =
      ResolveConfiguration(target, embedded, configuration);
  // Without an output directory each configuration has its own, named
  // after it, so that none overwrites another's outputs.
  if (resolved.outDir.empty())
    resolved.outDir = configuration.name;
  unit.kind = LinkKindOf(resolved.buildKind);
  unit.output = NormalizePath(
      ResolvePath(source.outputPrefix, BuildOutputPath(resolved)));
  unit.objectDirectory = NormalizePath(JoinPath(
      source.outputPrefix, "obj/" + target.name + "_" + configuration.name));

  std::string prefix = VariableName(target.name + "_" + configuration.name);
  std::string candidate = prefix;
  for (int n = 2; !variablePrefixes_.insert(candidate).second; ++n)
    candidate = prefix + "_" + std::to_string(n);
  unit.variablePrefix = candidate;

  source.files = &FilesOf(target, source.sourcePrefix);
  unit.compiles = source.files->compiles;
  unit.objectNamesMayRepeat = source.files->ambiguous;

  const Configuration* defaults = DefaultsOf(target);
  std::vector<const Configuration*> layers;
  if (defaults && defaults != &configuration)
    layers.push_back(defaults);
  layers.push_back(&configuration);

  // The neutral settings come first, so that the author's own flags can
  // still change them.
  const GccNeutralFlags neutral = GccFlags(resolved.neutral);
  unit.cflags = neutral.compile;
  // A shared library's objects are position independent.
  AppendWord(&unit.cflags, PositionIndependentFlag(resolved));
  unit.cOnlyFlags = neutral.c;
  unit.cxxOnlyFlags = neutral.cxx;
  for (const Configuration* layer : layers) {
    for (const std::string& define : layer->defines)
      AppendWord(&unit.cflags, "-D" + ShellText(define));
    for (const std::string& path : layer->searchPaths.header)
      AppendWord(&unit.cflags, "-I" + SearchPath(source, path));
    for (const std::string& flags : layer->cflags)
      AppendWord(&unit.cflags, ShellText(flags));
  }
  // What the targets it depends on pass on.
  const InheritedSettings& inherited = resolved.inherited;
  for (const std::string& define : inherited.defines)
    AppendWord(&unit.cflags, "-D" + ShellText(define));
  for (const InheritedPath& path : inherited.headerPaths)
    AppendWord(&unit.cflags,
               "-I" + PathFrom(SourcePrefixOf(*path.owner), path.path));
  for (const std::string& flags : inherited.cflags)
    AppendWord(&unit.cflags, ShellText(flags));
  // System packages: pkg-config's words, each quoted for the shell.
  const PackageFlags packages =
      CombinedPackageFlags(project_, PackagesOf(resolved));
  for (const std::string& word : packages.cflags)
    AppendWord(&unit.cflags, ShellQuote(word));

  if (unit.kind != LinkKind::kStaticLibrary) {
    // Each library is named once, where it is first mentioned: the
    // defaults' libraries come before the configuration's own.
    std::unordered_set<std::string> libraries;
    for (const Configuration* layer : layers) {
      for (const std::string& path : layer->searchPaths.library)
        AppendWord(&unit.libs, "-L" + SearchPath(source, path));
      for (const std::string& library : layer->libraries) {
        std::string word = "-l" + ShellQuote(ShellText(library));
        if (libraries.insert(word).second)
          AppendWord(&unit.libs, word);
      }
      for (const std::string& flags : layer->lflags)
        AppendWord(&unit.libs, ShellText(flags));
    }
    for (const InheritedPath& path : inherited.libraryPaths)
      AppendWord(&unit.libs,
                 "-L" + PathFrom(SourcePrefixOf(*path.owner), path.path));
    for (const std::string& library : inherited.libraries) {
      std::string word = "-l" + ShellQuote(ShellText(library));
      if (libraries.insert(word).second)
        AppendWord(&unit.libs, word);
    }
    for (const std::string& flags : inherited.lflags)
      AppendWord(&unit.libs, ShellText(flags));
    for (const std::string& word : packages.libs)
      AppendWord(&unit.libs, ShellQuote(word));
    AppendWord(&unit.libs, neutral.link);
  }

  // Events set on the target serve every configuration without its own.
  // An imported target's run where its own build would run them.
  auto event = [&](std::string Configuration::*field) {
    const std::string& own = configuration.*field;
    std::string command =
        EventCommand(own.empty() && defaults ? defaults->*field : own);
    if (command.empty() || source.outputPrefix.empty())
      return command;
    return "cd " + ShellQuote(source.outputPrefix) + " && " + command;
  };
  unit.test = target.test && unit.kind == LinkKind::kExecutable;
  if (unit.test) {
    unit.testArguments = configuration.testArguments.empty()
                             ? embedded.testArguments
                             : configuration.testArguments;
    const std::string& directory = configuration.testDirectory.empty()
                                       ? embedded.testDirectory
                                       : configuration.testDirectory;
    if (!directory.empty())
      unit.testDirectory =
          NormalizePath(ResolvePath(source.outputPrefix, directory));
    else if (!source.outputPrefix.empty())
      unit.testDirectory = source.outputPrefix;
  }
  unit.preBuild = event(&Configuration::preBuildEvent);
  unit.preLink = event(&Configuration::preLinkEvent);
  unit.postBuild = event(&Configuration::postBuildEvent);
}

void Resolver::AddGenerateSteps(size_t index) {
  const Source& source = sources_[index];
  const Target& target = *source.target;
  const Configuration& defaults = target.DefaultConfiguration();
  // The steps set on the target are made once, for all its units.
  if (!madeShared_.count(&target)) {
    madeShared_.insert(&target);
    for (const GenerateStep& step : defaults.generateSteps)
      AddGenerateEdge(index, step, true);
  }
  auto shared = targetEdges_.find(&target);
  BuildUnit& unit = units_[index];
  if (shared != targetEdges_.end()) {
    for (size_t edge : shared->second) {
      const std::vector<std::string>& outputs = generateEdges_[edge].outputs;
      unit.generatedOutputs.insert(unit.generatedOutputs.end(), outputs.begin(),
                                   outputs.end());
    }
  }
  if (source.configuration != &defaults) {
    for (const GenerateStep& step : source.configuration->generateSteps)
      AddGenerateEdge(index, step, false);
  }
  // Generated sources are compiled into the target: the unit gets compiles
  // of its own when it has any.
  std::vector<CompileStep> generated;
  bool ambiguous = false;
  for (const std::string& output : unit.generatedOutputs) {
    SourceKind kind = ClassifySource(output);
    if (kind == SourceKind::kOther || kind == SourceKind::kLinkInput)
      continue;
    CompileStep step;
    step.source = output;
    step.objectName = ObjectName(output, &ambiguous);
    step.kind = kind;
    generated.push_back(std::move(step));
  }
  if (!generated.empty()) {
    auto compiles = std::make_shared<CompileSteps>(*unit.compiles);
    compiles->insert(compiles->end(), generated.begin(), generated.end());
    unit.compiles = std::move(compiles);
    unit.objectNamesMayRepeat = unit.objectNamesMayRepeat || ambiguous;
  }
}

void Resolver::AddGenerateEdge(size_t index,
                               const GenerateStep& step,
                               bool shared) {
  const Source& source = sources_[index];
  const Target& target = *source.target;
  GenerateEdge edge;
  edge.owner = "target " + target.name;
  if (!shared)
    edge.owner += " in configuration " + source.configuration->name;
  for (const std::string& input : step.inputs) {
    // Found as the items of FILES are: below the root, from the base.
    std::string path = step.root.empty() ? input : step.root + "/" + input;
    edge.inputs.push_back(
        IsAbsolutePath(path)
            ? NormalizePath(path)
            : NormalizePath(JoinPath(source.sourcePrefix, path)));
  }
  std::set<std::string> directories;
  for (const std::string& output : step.outputs) {
    std::string path = NormalizePath(ResolvePath(source.outputPrefix, output));
    std::string directory = ParentDirectory(path);
    if (directory != ".")
      directories.insert(directory);
    edge.outputs.push_back(std::move(path));
  }
  // The outputs' directories are made first; the command runs where the
  // step's own build file would run it.
  std::string command;
  if (!directories.empty()) {
    command = "mkdir -p";
    for (const std::string& directory : directories)
      command += " " + ShellQuote(directory);
    command += " && ";
  }
  if (!source.outputPrefix.empty())
    command += "cd " + ShellQuote(source.outputPrefix) + " && ";
  command += "(" + EventCommand(step.command) + ")";
  edge.command = std::move(command);

  // The outputs of a shared step join each unit as AddGenerateSteps adds
  // them.
  if (shared) {
    targetEdges_[&target].push_back(generateEdges_.size());
  } else {
    BuildUnit& unit = units_[index];
    unit.generatedOutputs.insert(unit.generatedOutputs.end(),
                                 edge.outputs.begin(), edge.outputs.end());
  }
  generateEdges_.push_back(std::move(edge));
}

void Resolver::FillGeneratedAliases() {
  // Whether a unit, or anything it depends on, has generated outputs: its
  // compiles then wait for them. Depth first without recursion; a unit
  // met again on the way (a cycle) counts as having none.
  enum class State { kNew, kOpen, kDone };
  std::vector<State> state(units_.size(), State::kNew);
  for (size_t start = 0; start < units_.size(); ++start) {
    std::vector<std::pair<size_t, size_t>> stack = {{start, 0}};
    while (!stack.empty()) {
      auto& [current, next] = stack.back();
      if (next == 0) {
        if (state[current] != State::kNew) {
          stack.pop_back();
          continue;
        }
        state[current] = State::kOpen;
      }
      const std::vector<size_t>& dependencies = sources_[current].dependencies;
      if (next < dependencies.size()) {
        size_t dependency = dependencies[next++];
        if (state[dependency] == State::kNew)
          stack.emplace_back(dependency, 0);
        continue;
      }
      BuildUnit& unit = units_[current];
      unit.generatedAliasInputs = unit.generatedOutputs;
      for (size_t dependency : dependencies) {
        if (state[dependency] == State::kDone &&
            !units_[dependency].generatedAlias.empty())
          unit.generatedAliasInputs.push_back(
              units_[dependency].generatedAlias);
      }
      if (!unit.generatedAliasInputs.empty())
        unit.generatedAlias = unit.objectDirectory + "/generated";
      state[current] = State::kDone;
      stack.pop_back();
    }
  }
}

void Resolver::FillLinkInputs(size_t index) {
  BuildUnit& unit = units_[index];
  const Source& source = sources_[index];
  if (unit.kind == LinkKind::kStaticLibrary) {
    // An archive needs nothing else built; whatever links it links its
    // dependencies too. Its goal still builds them, through their goals.
    unit.goalUnits = source.dependencies;
    return;
  }
  // Every library reached through libraries, each listed before those it
  // needs: the reverse of a depth-first post-order.
  std::vector<size_t> post_order;
  // Marked with this unit's number, so that one array serves every unit.
  const size_t mark = index + 1;
  visited_.resize(units_.size(), 0);
  visited_[index] = mark;
  std::vector<std::pair<size_t, size_t>> stack = {{index, 0}};
  while (!stack.empty()) {
    auto& [current, next] = stack.back();
    const std::vector<size_t>& dependencies = sources_[current].dependencies;
    if (next >= dependencies.size()) {
      if (current != index)
        post_order.push_back(current);
      stack.pop_back();
      continue;
    }
    // Last to first: the reversed post-order then keeps the written order
    // of dependencies that do not need each other.
    size_t dependency = dependencies[dependencies.size() - 1 - next++];
    if (visited_[dependency] == mark)
      continue;
    visited_[dependency] = mark;
    if (units_[dependency].kind == LinkKind::kExecutable) {
      unit.orderOnlyUnits.push_back(dependency);
      continue;
    }
    stack.emplace_back(dependency, 0);
  }
  unit.linkFiles = source.files->libraries;
  unit.linkUnits.assign(post_order.rbegin(), post_order.rend());
  for (size_t linked : unit.linkUnits) {
    if (units_[linked].kind == LinkKind::kStaticLibrary) {
      const std::vector<std::string>& files = sources_[linked].files->libraries;
      unit.dependencyLinkFiles.insert(unit.dependencyLinkFiles.end(),
                                      files.begin(), files.end());
    }
  }

  // Shared libraries are found at run time beside where the build put them.
  const std::string origin = options_.macOS ? "@loader_path" : "$ORIGIN";
  const std::string from = ParentDirectory(
      NormalizePath(ResolvePath(options_.buildDirectory, unit.output)));
  std::set<std::string> directories;
  std::string run_path;
  auto add_run_path = [&](const std::string& library) {
    std::string relative =
        RelativePath(from, ParentDirectory(NormalizePath(
                               ResolvePath(options_.buildDirectory, library))))
            .value_or(".");
    if (!directories.insert(relative).second)
      return;
    std::string entry = relative == "." ? origin : origin + "/" + relative;
    AppendWord(&run_path, ShellQuote("-Wl,-rpath," + entry));
  };
  std::vector<const std::string*> files;
  for (const std::string& file : unit.linkFiles)
    files.push_back(&file);
  for (const std::string& file : unit.dependencyLinkFiles)
    files.push_back(&file);
  for (const std::string* file_pointer : files) {
    const std::string& file = *file_pointer;
    size_t dot = file.rfind('.');
    if (dot != std::string::npos &&
        (file.compare(dot, std::string::npos, ".so") == 0 ||
         file.compare(dot, std::string::npos, ".dylib") == 0))
      add_run_path(file);
  }
  for (size_t linked : unit.linkUnits) {
    if (units_[linked].kind == LinkKind::kSharedLibrary)
      add_run_path(units_[linked].output);
  }
  AppendWord(&unit.libs, run_path);

  // A library file whose path starts like an option or a response file
  // ("-x.a", "@x.a") cannot be one of $in, which ninja writes without "./";
  // it is linked as "./" + path and waited for as an implicit input.
  std::string dotted;
  for (std::vector<std::string>* list :
       {&unit.linkFiles, &unit.dependencyLinkFiles}) {
    auto moved = std::stable_partition(
        list->begin(), list->end(),
        [](const std::string& path) { return !NeedsDotSlash(path); });
    for (auto it = moved; it != list->end(); ++it) {
      AppendWord(&dotted, ShellQuote("./" + *it));
      unit.implicitInputs.push_back(std::move(*it));
    }
    list->erase(moved, list->end());
  }
  if (!dotted.empty())
    unit.libs = unit.libs.empty() ? dotted : dotted + " " + unit.libs;
}

bool Resolver::Run(BuildGraph* graph, std::string* error) {
  std::vector<const Target*> targets;
  for (const auto& target : project_.targets)
    targets.push_back(target.get());
  targets.insert(targets.end(), project_.importedTargets.begin(),
                 project_.importedTargets.end());

  std::vector<size_t> database;
  const size_t none = static_cast<size_t>(-1);
  for (const Target* target : targets) {
    size_t first = none;
    for (const Configuration* configuration : target->configurations) {
      if (IsBuiltConfiguration(*configuration) &&
          Selected(project_.configurationFilter, configuration->name)) {
        size_t index = UnitFor(*target, *configuration, true);
        if (first == none)
          first = index;
      }
    }
    if (first != none)
      database.push_back(first);
  }
  // Resolving a unit's dependencies can add units, which are resolved in
  // turn: no recursion, however long a chain of dependencies.
  for (size_t i = 0; i < units_.size(); ++i)
    ResolveDependencies(i);
  for (size_t i = 0; i < units_.size(); ++i) {
    FillUnit(i);
    AddGenerateSteps(i);
  }
  FillGeneratedAliases();
  for (size_t i = 0; i < units_.size(); ++i)
    FillLinkInputs(i);
  // Built units have goals, and so has every unit a goal names.
  std::vector<size_t> named;
  for (size_t i = 0; i < units_.size(); ++i) {
    units_[i].goal = units_[i].built;
    if (units_[i].goal)
      named.push_back(i);
  }
  while (!named.empty()) {
    size_t index = named.back();
    named.pop_back();
    for (size_t dependency : units_[index].goalUnits) {
      if (!units_[dependency].goal) {
        units_[dependency].goal = true;
        named.push_back(dependency);
      }
    }
  }
  if (!CheckUniqueOutputs(units_, generateEdges_, error))
    return false;

  graph->macOS = options_.macOS;
  graph->buildDirectory = options_.buildDirectory;
  graph->toolchain = options_.toolchain;
  graph->regeneration = options_.regeneration;
  graph->configurations.clear();
  for (const BuildUnit& unit : units_) {
    if (unit.built &&
        std::find(graph->configurations.begin(), graph->configurations.end(),
                  unit.configuration) == graph->configurations.end())
      graph->configurations.push_back(unit.configuration);
  }
  graph->compileDatabaseUnits = std::move(database);
  graph->units = std::move(units_);
  graph->generateEdges = std::move(generateEdges_);
  graph->warnings = std::move(warnings_);
  return true;
}

}  // namespace

SourceKind ClassifySource(const std::string& path) {
  std::string_view extension = FileExtension(NameAfterLastSlash(path));
  if (extension.empty())
    return SourceKind::kOther;
  extension.remove_prefix(1);
  static const struct {
    const char* extension;
    SourceKind kind;
  } kKinds[] = {
      {"c", SourceKind::kC},          {"S", SourceKind::kAssembler},
      {"s", SourceKind::kAssembler},  {"cpp", SourceKind::kCxx},
      {"cc", SourceKind::kCxx},       {"cxx", SourceKind::kCxx},
      {"c++", SourceKind::kCxx},      {"C", SourceKind::kCxx},
      {"a", SourceKind::kLinkInput},  {"lib", SourceKind::kLinkInput},
      {"so", SourceKind::kLinkInput},
  };
  for (const auto& entry : kKinds) {
    if (extension == entry.extension)
      return entry.kind;
  }
  return SourceKind::kOther;
}

bool ResolveBuildGraph(const Project& project,
                       const BuildGraphOptions& options,
                       BuildGraph* graph,
                       std::string* error) {
  Resolver resolver(project, options);
  return resolver.Run(graph, error);
}
