#include "exporters/ninja/build_file_writer.h"

#include <vector>

#include "base/ordered_work.h"

#include "base/path.h"
#include "exporters/ninja/build_graph.h"
#include "exporters/ninja/ninja_escape.h"

namespace {

void AppendPaths(std::string* out, const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    *out += ' ';
    AppendNinjaPath(out, path);
  }
}

void AppendOutputs(std::string* out,
                   const BuildGraph& graph,
                   const std::vector<size_t>& units) {
  for (size_t index : units) {
    *out += ' ';
    AppendNinjaPath(out, graph.units[index].output);
  }
}

// Which compile rule a step uses: C or C++, and whether its source must be
// named with "./" in front (see NeedsDotSlash), which ninja's $in cannot do
// for it: ninja drops a leading "./" from every path it reads.
int CompileRuleIndex(const CompileStep& step) {
  return (step.kind == SourceKind::kCxx ? 1 : 0) +
         (NeedsDotSlash(step.source) ? 2 : 0);
}

void AppendCompileRuleName(std::string* out, const BuildUnit& unit, int index) {
  *out += index & 1 ? "cxx_" : "cc_";
  *out += unit.variablePrefix;
  // No variable prefix holds a ".", so no other unit's rule has this name.
  if (index & 2)
    *out += ".dot";
}

// The compile rules of one unit, which name the unit's flags variable: the
// many compile edges then need no variables of their own, for which ninja
// would keep a scope per edge.
void AppendCompileRules(std::string* out,
                        const BuildGraph& graph,
                        const BuildUnit& unit) {
  bool used[4] = {false, false, false, false};
  for (const CompileStep& step : *unit.compiles)
    used[CompileRuleIndex(step)] = true;
  for (int index = 0; index < 4; ++index) {
    if (!used[index])
      continue;
    const bool cxx = index & 1;
    *out += "rule ";
    AppendCompileRuleName(out, unit, index);
    *out += "\n  command = ";
    if (!graph.toolchain.launcher.empty())
      *out += "$launcher ";
    *out += cxx ? "$cxx" : "$cc";
    *out += " -MMD -MF $out.d $cflags_";
    *out += unit.variablePrefix;
    // Flags of one language are a variable of their own, named with a "."
    // that no unit's prefix holds.
    if (!(cxx ? unit.cxxOnlyFlags : unit.cOnlyFlags).empty()) {
      *out += " ${cflags_";
      *out += unit.variablePrefix;
      *out += cxx ? ".cxx}" : ".c}";
    }
    *out += index & 2 ? " -c ./$in -o $out\n" : " -c $in -o $out\n";
    *out += "  depfile = $out.d\n  deps = gcc\n";
    *out +=
        cxx ? "  description = CXX $out\n\n" : "  description = CC $out\n\n";
  }
}

bool HasTests(const BuildGraph& graph) {
  for (const BuildUnit& unit : graph.units) {
    if (unit.test && unit.built)
      return true;
  }
  return false;
}

void AppendRules(std::string* out, const BuildGraph& graph) {
  *out +=
      "rule ar\n"
      "  command = ${pre_link}rm -f $out && $ar rcs $out $in${post_build}\n"
      "  description = AR $out\n\n"
      "rule link\n"
      "  command = ${pre_link}$cxx -o $out $in $libs${post_build}\n"
      "  description = LINK $out\n"
      "  pool = link_pool\n\n"
      "rule solink\n";
  if (graph.macOS) {
    *out +=
        "  command = ${pre_link}$cxx -dynamiclib -install_name "
        "@rpath/$soname -o $out $in $libs${post_build}\n";
  } else {
    *out +=
        "  command = ${pre_link}$cxx -shared -Wl,-soname,$soname -o $out $in "
        "$libs${post_build}\n";
  }
  *out +=
      "  description = SOLINK $out\n"
      "  pool = link_pool\n\n"
      "rule event\n"
      "  command = ($event) && touch $out\n"
      "  description = EVENT $out\n\n";
  if (!graph.generateEdges.empty()) {
    *out +=
        "rule generate\n"
        "  command = $generate\n"
        "  description = GEN $out\n"
        "  restat = 1\n\n";
  }
  if (HasTests(graph)) {
    // A test's edge never makes its output, so it runs each time a test
    // goal is built; its status goes beside it for the summary.
    *out +=
        "rule test\n"
        "  command = root=$$PWD; (cd $test_directory && "
        "\"$$root\"/$test_program "
        "$test_arguments) >$test_log 2>&1; code=$$?; echo $$code "
        ">$test_status; if [ $$code -eq 0 ]; then echo PASS $test_name; "
        "else echo FAIL $test_name \"(exit status $$code)\"; sed 's/^/    /' "
        "$test_log | tail -n 20; fi\n"
        "  description = TEST $test_name\n\n"
        "rule test_summary\n"
        "  command = passed=0; failed=0; for status in $test_statuses; do "
        "if [ \"$$(cat \"$$status\" 2>/dev/null)\" = 0 ]; then "
        "passed=$$((passed + 1)); else failed=$$((failed + 1)); fi; done; "
        "echo \"$$passed passed, $$failed failed\"; [ $$failed -eq 0 ]\n"
        "  description = TESTS $out\n\n";
  }
  *out +=
      "rule regen\n"
      "  command = ";
  *out += EscapeNinjaValue(FormatRegenerationCommand(graph));
  *out +=
      "\n  description = Regenerating build.ninja\n"
      "  generator = 1\n"
      "  restat = 1\n\n";
}

std::string GoalName(const BuildUnit& unit) {
  return (unit.imported ? "build_import_" : "build_") + unit.target + "_" +
         unit.configuration;
}

void AppendUnit(std::string* out,
                const BuildGraph& graph,
                const BuildUnit& unit) {
  *out += "# ";
  *out += unit.imported ? "imported target " : "target ";
  *out += EscapeNinjaValue(unit.target) + ", configuration " +
          EscapeNinjaValue(unit.configuration) + "\n";
  const std::string cflags = "cflags_" + unit.variablePrefix;
  *out += cflags + " = " + EscapeNinjaValue(unit.cflags) + "\n";
  if (!unit.cOnlyFlags.empty())
    *out += cflags + ".c = " + EscapeNinjaValue(unit.cOnlyFlags) + "\n";
  if (!unit.cxxOnlyFlags.empty())
    *out += cflags + ".cxx = " + EscapeNinjaValue(unit.cxxOnlyFlags) + "\n";
  AppendCompileRules(out, graph, unit);

  std::string stamp;
  if (!unit.preBuild.empty()) {
    stamp = EscapeNinjaPath(unit.PreBuildStamp());
    *out += "build " + stamp + ": event";
    for (const CompileStep& step : *unit.compiles) {
      *out += ' ';
      AppendNinjaPath(out, step.source);
    }
    *out += "\n  event = " + EscapeNinjaValue(unit.preBuild) + "\n";
  }
  // What compiles wait for without depending on it: the pre-build event
  // and everything generated for this unit and what it depends on.
  std::string order_only;
  if (!stamp.empty())
    order_only = " " + stamp;
  if (!unit.generatedAlias.empty()) {
    const std::string alias = EscapeNinjaPath(unit.generatedAlias);
    *out += "build " + alias + ": phony";
    AppendPaths(out, unit.generatedAliasInputs);
    *out += '\n';
    order_only += " " + alias;
  }
  const std::string object_directory = EscapeNinjaPath(unit.objectDirectory);
  for (const CompileStep& step : *unit.compiles) {
    *out += "build ";
    *out += object_directory;
    *out += '/';
    AppendNinjaPath(out, step.objectName);
    *out += ": ";
    AppendCompileRuleName(out, unit, CompileRuleIndex(step));
    *out += ' ';
    AppendNinjaPath(out, step.source);
    if (!order_only.empty()) {
      *out += " ||";
      *out += order_only;
    }
    *out += '\n';
  }

  const char* rule = unit.kind == LinkKind::kStaticLibrary   ? "ar"
                     : unit.kind == LinkKind::kSharedLibrary ? "solink"
                                                             : "link";
  *out += "build " + EscapeNinjaPath(unit.output) + ": " + rule;
  for (const CompileStep& step : *unit.compiles) {
    *out += ' ';
    *out += object_directory;
    *out += '/';
    AppendNinjaPath(out, step.objectName);
  }
  AppendPaths(out, unit.linkFiles);
  AppendOutputs(out, graph, unit.linkUnits);
  AppendPaths(out, unit.dependencyLinkFiles);
  if (!unit.implicitInputs.empty()) {
    *out += " |";
    AppendPaths(out, unit.implicitInputs);
  }
  if (!unit.orderOnlyUnits.empty()) {
    *out += " ||";
    AppendOutputs(out, graph, unit.orderOnlyUnits);
  }
  *out += '\n';
  if (unit.kind != LinkKind::kStaticLibrary)
    *out += "  libs = " + EscapeNinjaValue(unit.libs) + "\n";
  // The soname is one word of a shell command, whatever the file name.
  if (unit.kind == LinkKind::kSharedLibrary) {
    *out +=
        "  soname = " + EscapeNinjaValue(ShellQuote(FileName(unit.output))) +
        "\n";
  }
  // A space that starts or ends a value is kept only when escaped.
  if (!unit.preLink.empty())
    *out += "  pre_link = (" + EscapeNinjaValue(unit.preLink) + ") &&$ \n";
  if (!unit.postBuild.empty())
    *out += "  post_build = $ && (" + EscapeNinjaValue(unit.postBuild) + ")\n";

  if (unit.goal) {
    *out += "build " + EscapeNinjaPath(GoalName(unit)) + ": phony " +
            EscapeNinjaPath(unit.output);
    for (size_t index : unit.goalUnits)
      *out += " " + EscapeNinjaPath(GoalName(graph.units[index]));
    *out += '\n';
  }
  *out += '\n';
}

// One edge per test program, then one goal per configuration that runs its
// tests, "test_<configuration>", and "test" for all of them.
void AppendTests(const BuildGraph& graph, std::string* out) {
  if (!HasTests(graph))
    return;
  std::string allRan;
  std::string allStatuses;
  for (const std::string& configuration : graph.configurations) {
    std::string ran;
    std::string statuses;
    for (const BuildUnit& unit : graph.units) {
      if (!unit.test || !unit.built || unit.configuration != configuration)
        continue;
      const std::string base = unit.objectDirectory + "/test";
      *out += "build " + EscapeNinjaPath(base + ".ran") + ": test " +
              EscapeNinjaPath(unit.output) + "\n";
      *out += "  test_name = " +
              EscapeNinjaValue(
                  ShellQuote(unit.target + " (" + unit.configuration + ")")) +
              "\n";
      *out += "  test_program = " + EscapeNinjaValue(ShellQuote(unit.output)) +
              "\n";
      *out += "  test_directory = " +
              EscapeNinjaValue(ShellQuote(
                  unit.testDirectory.empty() ? "." : unit.testDirectory)) +
              "\n";
      *out +=
          "  test_arguments = " + EscapeNinjaValue(unit.testArguments) + "\n";
      *out +=
          "  test_log = " + EscapeNinjaValue(ShellQuote(base + ".log")) + "\n";
      *out +=
          "  test_status = " + EscapeNinjaValue(ShellQuote(base + ".status")) +
          "\n";
      ran += " " + EscapeNinjaPath(base + ".ran");
      statuses += " " + ShellQuote(base + ".status");
    }
    if (ran.empty())
      continue;
    allRan += ran;
    allStatuses += statuses;
    *out += "build " + EscapeNinjaPath("test_" + configuration) +
            ": test_summary" + ran + "\n";
    *out += "  test_statuses =" + EscapeNinjaValue(statuses) + "\n";
  }
  // "test" runs them all and sums them all up, so that one configuration's
  // failure does not keep ninja from running the others.
  *out += "build test: test_summary" + allRan + "\n";
  *out += "  test_statuses =" + EscapeNinjaValue(allStatuses) + "\n\n";
}

}  // namespace

std::string FormatRegenerationCommand(const BuildGraph& graph) {
  const Regeneration& regeneration = graph.regeneration;
  const Toolchain& toolchain = graph.toolchain;
  std::string command =
      "cd " + ShellQuote(regeneration.workingDirectory) + " && env";
  // env takes its options before the first assignment.
  for (const auto& [name, value] : regeneration.environment) {
    if (!value)
      command += " -u " + name;
  }
  for (const auto& [name, value] : regeneration.environment) {
    if (value)
      command += " " + name + "=" + ShellQuote(*value);
  }
  command += " CC=" + ShellQuote(toolchain.cc) +
             " CXX=" + ShellQuote(toolchain.cxx) +
             " AR=" + ShellQuote(toolchain.ar) +
             " QEV_LAUNCHER=" + ShellQuote(toolchain.launcher) + " " +
             ShellQuote(regeneration.program);
  for (const std::string& argument : regeneration.arguments)
    command += " " + ShellQuote(argument);
  return command;
}

std::string FormatBuildFile(const BuildGraph& graph) {
  std::string out;
  AppendBuildFile(graph, &out);
  return out;
}

void AppendBuildFile(const BuildGraph& graph,
                     std::string* out_pointer,
                     int jobs) {
  std::string& out = *out_pointer;
  size_t size = out.size() + 4096;
  for (const BuildUnit& unit : graph.units) {
    size += 512 + unit.cflags.size() + unit.libs.size();
    for (const CompileStep& step : *unit.compiles) {
      size += 48 + 3 * (unit.objectDirectory.size() + step.objectName.size()) +
              step.source.size();
    }
  }
  out.reserve(size);
  out += "# Generated by qev for ";
  out += graph.macOS ? "MacOSX" : "Linux";
  out +=
      "; rerun qev (or let ninja rerun it) instead of editing.\n"
      "ninja_required_version = 1.10\n\n";
  out += "cc = " + EscapeNinjaValue(graph.toolchain.cc) + "\n";
  out += "cxx = " + EscapeNinjaValue(graph.toolchain.cxx) + "\n";
  out += "ar = " + EscapeNinjaValue(graph.toolchain.ar) + "\n";
  if (!graph.toolchain.launcher.empty())
    out += "launcher = " + EscapeNinjaValue(graph.toolchain.launcher) + "\n";
  out +=
      "\npool link_pool\n  depth = " + std::to_string(kLinkPoolDepth) + "\n\n";
  AppendRules(&out, graph);

  out += "build build.ninja: regen";
  AppendPaths(&out, graph.regeneration.inputs);
  out += "\n\n";

  for (const GenerateEdge& edge : graph.generateEdges) {
    out += "build";
    AppendPaths(&out, edge.outputs);
    out += ": generate";
    AppendPaths(&out, edge.inputs);
    out += "\n  generate = " + EscapeNinjaValue(edge.command) + "\n";
  }
  if (!graph.generateEdges.empty())
    out += '\n';

  if (jobs <= 1) {
    for (const BuildUnit& unit : graph.units)
      AppendUnit(&out, graph, unit);
  } else {
    // Each unit's lines on a thread of their own, joined in order.
    std::vector<std::string> chunks(graph.units.size());
    RunOrdered(
        graph.units.size(), jobs,
        [&](size_t i) { AppendUnit(&chunks[i], graph, graph.units[i]); },
        [&](size_t i) {
          out += chunks[i];
          std::string().swap(chunks[i]);
        });
  }

  AppendTests(graph, &out);

  for (const std::string& configuration : graph.configurations) {
    out += "build " + EscapeNinjaPath(configuration) + ": phony";
    for (const BuildUnit& unit : graph.units) {
      if (unit.built && unit.configuration == configuration)
        out += " " + EscapeNinjaPath(GoalName(unit));
    }
    out += '\n';
  }
  out += "build all: phony";
  for (const std::string& configuration : graph.configurations)
    out += " " + EscapeNinjaPath(configuration);
  out += "\n\ndefault all\n";
}
