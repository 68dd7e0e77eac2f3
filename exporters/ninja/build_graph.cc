#include "exporters/ninja/build_graph.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "exporters/make/target_rules.h"
#include "exporters/ninja/build_paths.h"
#include "exporters/ninja/ninja_escape.h"
#include "model/model.h"
#include "model/text.h"

namespace {

LinkKind KindOf(const std::string& type) {
  if (EqualsNoCase(type, "SHARED_LIB"))
    return LinkKind::kSharedLibrary;
  if (EqualsNoCase(type, "LIB"))
    return LinkKind::kStaticLibrary;
  return LinkKind::kExecutable;
}

// The settings that every configuration of a target starts from, as make
// reads them: the last shown configuration named "default".
const Configuration* DefaultsOf(const Target& target) {
  const Configuration* defaults = nullptr;
  for (const Configuration* configuration : target.configurations) {
    if (configuration->show && EqualsNoCase(configuration->name, "default"))
      defaults = configuration;
  }
  return defaults;
}

// Where an object goes below the object directory: the canonical source
// path with ".." components renamed, so that no two sources share one.
std::string ObjectName(const std::string& source) {
  std::string out;
  if (!source.empty() && source[0] == '/')
    out = "_abs";
  size_t start = source[0] == '/' ? 1 : 0;
  while (start <= source.size()) {
    size_t slash = source.find('/', start);
    if (slash == std::string::npos)
      slash = source.size();
    std::string_view part(source.data() + start, slash - start);
    if (!out.empty())
      out += '/';
    if (part == "..")
      out += "__";
    else
      out.append(part.data(), part.size());
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

class Resolver {
 public:
  Resolver(const Project& project, const BuildGraphOptions& options)
      : project_(project), options_(options) {}

  bool Run(BuildGraph* graph, std::string* error);

 private:
  struct Source {
    const Target* target;
    const Configuration* configuration;
    std::string prefix;  // where the target's description-relative paths lead
    std::vector<size_t> dependencies;
    std::vector<std::string> fileLibraries;
  };

  size_t UnitFor(const Target& target,
                 const Configuration& configuration,
                 bool built);
  size_t NeededUnit(const Target& target, const Configuration& wanted);
  const Target* FindDependency(const Target& target, const std::string& name);
  std::string PrefixOf(const Target& target) const;
  void FillUnit(size_t index);
  void FillLinkInputs(size_t index);
  std::string SearchPath(const Source& source, const std::string& path) const;
  bool CheckOutputs(std::string* error) const;

  const Project& project_;
  const BuildGraphOptions& options_;
  std::vector<BuildUnit> units_;
  std::vector<Source> sources_;
  std::map<std::pair<const Target*, const Configuration*>, size_t> index_;
  std::map<std::pair<const Target*, std::string>, size_t> synthesizedIndex_;
  std::deque<Configuration> synthesized_;
  std::unordered_set<std::string> variablePrefixes_;
  std::unordered_set<std::string> sharedOutputs_;
  std::vector<size_t> visited_;
};

std::string Resolver::PrefixOf(const Target& target) const {
  if (target.project == &project_)
    return std::string();
  return target.importPath + target.exportDir;
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
  sources_.push_back(Source{&target, &configuration, PrefixOf(target), {}, {}});
  // Dependencies of the same configuration; what they lack is made up as
  // make's dependency step would make it, without touching the model.
  for (const std::string& name : target.dependencies) {
    const Target* dependency = FindDependency(target, name);
    if (!dependency)
      continue;
    size_t needed = NeededUnit(*dependency, configuration);
    if (needed != index &&
        std::find(sources_[index].dependencies.begin(),
                  sources_[index].dependencies.end(),
                  needed) == sources_[index].dependencies.end())
      sources_[index].dependencies.push_back(needed);
  }
  return index;
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
  // Registered before its own dependencies are resolved, so that a cycle
  // ends here.
  size_t index = units_.size();
  synthesizedIndex_.emplace(key, index);
  return UnitFor(target, synthesized_.back(), false);
}

std::string Resolver::SearchPath(const Source& source,
                                 const std::string& path) const {
  std::string text = ShellText(path);
  if (source.prefix.empty() || text.empty() || text[0] == '/')
    return text;
  return JoinBuildPath(source.prefix, text);
}

void Resolver::FillUnit(size_t index) {
  BuildUnit& unit = units_[index];
  Source& source = sources_[index];
  const Target& target = *source.target;
  const Configuration& configuration = *source.configuration;
  const Configuration& embedded = target.DefaultConfiguration();

  unit.kind = KindOf(EffectiveType(embedded, configuration));
  unit.output = JoinBuildPath(source.prefix,
                              GetBinaryPath(target, embedded, configuration));
  unit.objectDirectory = JoinBuildPath(
      source.prefix, "obj/" + target.name + "_" + configuration.name);

  std::string prefix = VariableName(target.name + "_" + configuration.name);
  std::string candidate = prefix;
  for (int n = 2; !variablePrefixes_.insert(candidate).second; ++n)
    candidate = prefix + "_" + std::to_string(n);
  unit.variablePrefix = candidate;

  std::unordered_set<std::string> seen;
  for (const FileGroup& group : target.fileGroups) {
    for (const FileEntry& file : group.files) {
      const std::string& written =
          file.root.empty() ? file.path : file.fullPath;
      SourceKind kind = ClassifySource(written);
      if (kind == SourceKind::kOther)
        continue;
      std::string relative = CanonicalBuildPath(written);
      std::string path = JoinBuildPath(source.prefix, relative);
      if (!seen.insert(path).second)
        continue;
      if (kind == SourceKind::kLinkInput) {
        source.fileLibraries.push_back(path);
        continue;
      }
      CompileStep step;
      step.source = path;
      step.object = unit.objectDirectory + "/" + ObjectName(relative);
      step.kind = kind;
      unit.compiles.push_back(std::move(step));
    }
  }

  const Configuration* defaults = DefaultsOf(target);
  std::vector<const Configuration*> layers;
  if (defaults && defaults != &configuration)
    layers.push_back(defaults);
  layers.push_back(&configuration);

  for (const Configuration* layer : layers) {
    for (const std::string& define : layer->defines)
      AppendWord(&unit.cflags, "-D" + ShellText(define));
    for (const std::string& path : layer->searchPaths.header)
      AppendWord(&unit.cflags, "-I" + SearchPath(source, path));
    for (const std::string& flags : layer->cflags)
      AppendWord(&unit.cflags, ShellText(flags));
  }

  if (unit.kind != LinkKind::kStaticLibrary) {
    for (const Configuration* layer : layers) {
      for (const std::string& path : layer->searchPaths.library)
        AppendWord(&unit.libs, "-L" + SearchPath(source, path));
      // A configuration's libraries start with those of the defaults.
      if (layer != defaults && defaults) {
        for (const std::string& library : defaults->libraries)
          AppendWord(&unit.libs, "-l" + ShellText(library));
      }
      for (const std::string& library : layer->libraries)
        AppendWord(&unit.libs, "-l" + ShellText(library));
      for (const std::string& flags : layer->lflags)
        AppendWord(&unit.libs, ShellText(flags));
    }
  }

  unit.preBuild = EventCommand(configuration.preBuildEvent);
  unit.preLink = EventCommand(configuration.preLinkEvent);
  unit.postBuild = EventCommand(configuration.postBuildEvent);
}

void Resolver::FillLinkInputs(size_t index) {
  BuildUnit& unit = units_[index];
  const Source& source = sources_[index];
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
      unit.orderOnly.push_back(units_[dependency].output);
      continue;
    }
    stack.emplace_back(dependency, 0);
  }
  if (unit.kind == LinkKind::kStaticLibrary) {
    // An archive needs nothing else built; whatever links it links its
    // dependencies too. Its goal still builds them.
    for (auto it = post_order.rbegin(); it != post_order.rend(); ++it)
      unit.goalInputs.push_back(units_[*it].output);
    unit.goalInputs.insert(unit.goalInputs.end(), unit.orderOnly.begin(),
                           unit.orderOnly.end());
    unit.orderOnly.clear();
    return;
  }
  unit.linkInputs = source.fileLibraries;
  for (auto it = post_order.rbegin(); it != post_order.rend(); ++it) {
    unit.linkInputs.push_back(units_[*it].output);
    if (units_[*it].kind == LinkKind::kStaticLibrary) {
      for (const std::string& library : sources_[*it].fileLibraries)
        unit.linkInputs.push_back(library);
    }
  }

  // Shared libraries are found at run time beside where the build put them.
  const std::string origin = options_.macOS ? "@loader_path" : "$ORIGIN";
  const std::string from =
      DirectoryOf(JoinBuildPath(options_.buildDirectory, unit.output));
  std::set<std::string> directories;
  std::string run_path;
  for (const std::string& input : unit.linkInputs) {
    size_t dot = input.rfind('.');
    bool shared = (dot != std::string::npos &&
                   (input.compare(dot, std::string::npos, ".so") == 0 ||
                    input.compare(dot, std::string::npos, ".dylib") == 0)) ||
                  sharedOutputs_.count(input) != 0;
    if (!shared)
      continue;
    std::string relative = RelativeBuildPath(
        from, DirectoryOf(JoinBuildPath(options_.buildDirectory, input)));
    if (!directories.insert(relative).second)
      continue;
    std::string entry = relative == "." ? origin : origin + "/" + relative;
    AppendWord(&run_path, ShellQuote("-Wl,-rpath," + entry));
  }
  AppendWord(&unit.libs, run_path);
}

bool Resolver::CheckOutputs(std::string* error) const {
  std::unordered_map<std::string, std::string> owners;
  owners.emplace("build.ninja", "the build file itself");
  owners.emplace("compile_commands.json", "the compilation database");
  auto claim = [&](const std::string& path, const std::string& owner) {
    auto inserted = owners.emplace(path, owner);
    if (inserted.second)
      return true;
    *error = "two build steps would write \"" + path +
             "\": " + inserted.first->second + ", and " + owner;
    return false;
  };
  for (const BuildUnit& unit : units_) {
    std::string owner =
        "target " + unit.target + " in configuration " + unit.configuration;
    if (!claim(unit.output, owner))
      return false;
    for (const CompileStep& step : unit.compiles) {
      if (!claim(step.object, "the object of " + step.source + " for " + owner))
        return false;
    }
    if (!unit.preBuild.empty() &&
        !claim(unit.PreBuildStamp(), "the pre-build event of " + owner))
      return false;
    if (unit.built) {
      std::string goal = (unit.imported ? "build_import_" : "build_") +
                         unit.target + "_" + unit.configuration;
      if (!claim(goal, "the goal of " + owner))
        return false;
    }
  }
  std::set<std::string> configurations;
  for (const BuildUnit& unit : units_) {
    if (unit.built && configurations.insert(unit.configuration).second &&
        !claim(unit.configuration,
               "the goal of configuration " + unit.configuration))
      return false;
  }
  return claim("all", "the goal of every configuration");
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
    size_t chosen = none;
    for (const Configuration* configuration : target->configurations) {
      if (!IsBuiltConfiguration(*configuration))
        continue;
      size_t index = UnitFor(*target, *configuration, true);
      if (first == none)
        first = index;
      if (chosen == none) {
        for (const std::string& name : project_.configurationFilter) {
          if (EqualsNoCase(name, configuration->name))
            chosen = index;
        }
      }
    }
    if (chosen != none)
      database.push_back(chosen);
    else if (first != none)
      database.push_back(first);
  }
  for (size_t i = 0; i < units_.size(); ++i) {
    FillUnit(i);
    if (units_[i].kind == LinkKind::kSharedLibrary)
      sharedOutputs_.insert(units_[i].output);
  }
  for (size_t i = 0; i < units_.size(); ++i)
    FillLinkInputs(i);
  if (!CheckOutputs(error))
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
  return true;
}

}  // namespace

SourceKind ClassifySource(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return SourceKind::kOther;
  std::string_view extension(path.c_str() + dot + 1);
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
