#include "exporters/ninja/output_check.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/path.h"
#include "base/text.h"
#include "base/utf8.h"
#include "exporters/ninja/build_graph.h"
#include "exporters/ninja/ninja_escape.h"

namespace {

// Who writes a path: a unit's output, object, stamp or goal, or a fixed
// file; described in words only when two claim one path.
struct Claim {
  enum Kind {
    kFixed,
    kOutput,
    kObject,
    kStamp,
    kGoal,
    kConfiguration,
    kGenerated,
    kAlias,
    kTestGoal,
  };
  Kind kind;
  const BuildUnit* unit;
  const CompileStep* step;
  const GenerateEdge* edge = nullptr;
};

std::string Describe(const Claim& claim) {
  if (claim.kind == Claim::kFixed)
    return "a file that qev writes";
  if (claim.kind == Claim::kGenerated)
    return "a GENERATE step of " + claim.edge->owner;
  if (claim.kind == Claim::kTestGoal)
    return "a goal that runs tests";
  const BuildUnit& unit = *claim.unit;
  std::string owner =
      "target " + unit.target + " in configuration " + unit.configuration;
  switch (claim.kind) {
    case Claim::kObject:
      return "the object of " + claim.step->source + " for " + owner;
    case Claim::kStamp:
      return "the pre-build event of " + owner;
    case Claim::kGoal:
      return "the goal of " + owner;
    case Claim::kConfiguration:
      return "the goal of configuration " + unit.configuration;
    case Claim::kAlias:
      return "what the compiles of " + owner + " wait for";
    default:
      return owner;
  }
}

}  // namespace

bool CheckUniqueOutputs(const std::vector<BuildUnit>& units,
                        const std::vector<GenerateEdge>& edges,
                        std::string* error) {
  std::unordered_map<std::string_view, Claim> claims;
  claims.reserve(units.size() * 4 + 8);
  auto claim = [&](std::string_view path, Claim owner) {
    auto inserted = claims.emplace(path, owner);
    if (inserted.second)
      return true;
    *error = "two build steps would write \"" + std::string(path) +
             "\": " + Describe(inserted.first->second) + ", and " +
             Describe(owner);
    return false;
  };

  // Objects are told apart by their directory, one per unit, and by their
  // names within it; only when either can repeat is every object claimed.
  std::unordered_map<std::string_view, const BuildUnit*> object_directories;
  object_directories.reserve(units.size());
  bool every_object = false;
  for (size_t i = 0; i < units.size(); ++i) {
    const BuildUnit& unit = units[i];
    if (unit.compiles->empty())
      continue;
    every_object =
        every_object || unit.objectNamesMayRepeat ||
        !object_directories.emplace(unit.objectDirectory, &unit).second;
  }
  std::vector<std::string> paths;
  if (every_object) {
    size_t count = 0;
    for (const BuildUnit& unit : units)
      count += unit.compiles->size();
    paths.reserve(count);
    for (const BuildUnit& unit : units) {
      for (const CompileStep& step : *unit.compiles) {
        paths.push_back(unit.ObjectPath(step));
        if (!claim(paths.back(), Claim{Claim::kObject, &unit, &step}))
          return false;
      }
    }
  }

  std::vector<std::string> names = {"build.ninja", "compile_commands.json",
                                    "all"};
  for (const BuildUnit& unit : units) {
    if (!unit.preBuild.empty())
      names.push_back(unit.PreBuildStamp());
    if (unit.goal) {
      names.push_back((unit.imported ? "build_import_" : "build_") +
                      unit.target + "_" + unit.configuration);
    }
  }
  for (size_t i = 0; i < 3; ++i) {
    if (!claim(names[i], Claim{Claim::kFixed, nullptr, nullptr}))
      return false;
  }
  // A file claimed here inside some unit's object directory may be one of
  // its objects.
  auto clashes_with_object = [&](const std::string& path, Claim owner) {
    if (every_object)
      return false;
    for (std::string directory = ParentDirectory(path);
         directory != "." && directory != PathRoot(directory);
         directory = ParentDirectory(directory)) {
      auto found = object_directories.find(directory);
      if (found == object_directories.end())
        continue;
      const BuildUnit& unit = *found->second;
      for (const CompileStep& step : *unit.compiles) {
        if (unit.ObjectPath(step) == path) {
          *error = "two build steps would write \"" + path +
                   "\": " + Describe(Claim{Claim::kObject, &unit, &step}) +
                   ", and " + Describe(owner);
          return true;
        }
      }
    }
    return false;
  };
  size_t next_name = 3;
  std::unordered_set<std::string_view> configurations;
  for (const BuildUnit& unit : units) {
    Claim output{Claim::kOutput, &unit, nullptr};
    if (!claim(unit.output, output) || clashes_with_object(unit.output, output))
      return false;
    if (!unit.preBuild.empty()) {
      Claim stamp{Claim::kStamp, &unit, nullptr};
      const std::string& path = names[next_name++];
      if (!claim(path, stamp) || clashes_with_object(path, stamp))
        return false;
    }
    if (unit.goal &&
        !claim(names[next_name++], Claim{Claim::kGoal, &unit, nullptr}))
      return false;
    if (unit.built) {
      if (configurations.insert(unit.configuration).second &&
          !claim(unit.configuration,
                 Claim{Claim::kConfiguration, &unit, nullptr}))
        return false;
    }
  }
  // Generated files, the aliases of what compiles wait for, and the test
  // goals: each claimed once, and none may be an object of some unit.
  for (const GenerateEdge& edge : edges) {
    for (const std::string& output : edge.outputs) {
      Claim generated{Claim::kGenerated, nullptr, nullptr, &edge};
      if (!claim(output, generated) || clashes_with_object(output, generated))
        return false;
    }
  }
  std::vector<std::string> test_goals;
  for (const BuildUnit& unit : units) {
    if (!unit.generatedAlias.empty() &&
        !claim(unit.generatedAlias, Claim{Claim::kAlias, &unit, nullptr}))
      return false;
    if (unit.test && unit.built) {
      if (test_goals.empty())
        test_goals.push_back("test");
      test_goals.push_back("test_" + unit.configuration);
    }
  }
  // The list is complete before the claims point into it.
  std::sort(test_goals.begin(), test_goals.end());
  test_goals.erase(std::unique(test_goals.begin(), test_goals.end()),
                   test_goals.end());
  for (const std::string& goal : test_goals) {
    if (!claim(goal, Claim{Claim::kTestGoal, nullptr, nullptr}))
      return false;
  }
  return true;
}

namespace {

// Sets `*error` about `text` (described as `what`) when ninja cannot carry
// it.
bool Carriable(const std::string& what,
               const std::string& text,
               std::string* error) {
  std::string problem = NinjaPathProblem(text);
  if (problem.empty())
    return true;
  *error = what + " \"" + Printable(text) + "\" " + problem.substr(3) +
           ", which ninja cannot carry";
  return false;
}

// A text of the command that reruns qev: a line break would end the
// command there, and another command would run.
bool OneLine(const std::string& what,
             const std::string& text,
             std::string* error) {
  if (text.find_first_of("\r\n") == std::string::npos)
    return true;
  *error = what + " \"" + Printable(text) +
           "\" holds a line break, which the command that reruns qev "
           "cannot carry";
  return false;
}

bool Utf8(const std::string& what,
          const std::string& text,
          std::string* error) {
  if (IsValidUtf8(text))
    return true;
  *error = what + " \"" + Printable(text) +
           "\" is not UTF-8, which compile_commands.json needs";
  return false;
}

}  // namespace

bool CheckCarriable(const BuildGraph& graph, std::string* error) {
  for (const BuildUnit& unit : graph.units) {
    if (!Carriable("the target name", unit.target, error) ||
        !Carriable("the configuration name", unit.configuration, error) ||
        !Carriable("the output", unit.output, error) ||
        !Carriable("the path", unit.objectDirectory, error) ||
        !Utf8("the flags", unit.cflags, error))
      return false;
    if (NeedsDotSlash(unit.output)) {
      *error = "the output \"" + Printable(unit.output) + "\" starts with \"" +
               unit.output.substr(0, 1) +
               "\", which the compiler would read as an option or a response "
               "file";
      return false;
    }
    for (const CompileStep& step : *unit.compiles) {
      if (!Carriable("the path", step.source, error) ||
          !Carriable("the path", step.objectName, error))
        return false;
    }
    for (const auto* list :
         {&unit.linkFiles, &unit.dependencyLinkFiles, &unit.implicitInputs}) {
      for (const std::string& path : *list) {
        if (!Carriable("the path", path, error))
          return false;
      }
    }
  }
  for (const GenerateEdge& edge : graph.generateEdges) {
    for (const auto* list : {&edge.outputs, &edge.inputs}) {
      for (const std::string& path : *list) {
        if (!Carriable("the path", path, error))
          return false;
      }
    }
  }
  const Regeneration& regeneration = graph.regeneration;
  for (const std::string& input : regeneration.inputs) {
    if (!Carriable("the path", input, error))
      return false;
  }
  const Toolchain& toolchain = graph.toolchain;
  if (!OneLine("the working directory", regeneration.workingDirectory, error) ||
      !OneLine("the program", regeneration.program, error) ||
      !OneLine("CC", toolchain.cc, error) ||
      !OneLine("CXX", toolchain.cxx, error) ||
      !OneLine("AR", toolchain.ar, error) ||
      !OneLine("QEV_LAUNCHER", toolchain.launcher, error) ||
      !Utf8("the build directory", graph.buildDirectory, error) ||
      !Utf8("CC", toolchain.cc, error) || !Utf8("CXX", toolchain.cxx, error))
    return false;
  for (const std::string& argument : regeneration.arguments) {
    if (!OneLine("the argument", argument, error))
      return false;
  }
  for (const auto& [name, value] : regeneration.environment) {
    if (value && !OneLine(name.c_str(), *value, error))
      return false;
  }
  return true;
}
