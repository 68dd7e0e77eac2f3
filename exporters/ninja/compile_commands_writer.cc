#include "exporters/ninja/compile_commands_writer.h"

#include <vector>

#include "base/json_string.h"
#include "base/ordered_work.h"
#include "exporters/ninja/build_graph.h"
#include "exporters/ninja/ninja_escape.h"

namespace {

// The source as one word of the command: "./" in front of a path that would
// read as an option or a response file.
std::string SourceArgument(const CompileStep& step) {
  return NeedsDotSlash(step.source) ? "./" + step.source : step.source;
}

}  // namespace

std::string FormatCompileCommand(const Toolchain& toolchain,
                                 const BuildUnit& unit,
                                 const CompileStep& step,
                                 bool withLauncher) {
  std::string command;
  AppendCompileCommand(&command, toolchain, unit, step, withLauncher);
  return command;
}

void AppendCompileCommand(std::string* out,
                          const Toolchain& toolchain,
                          const BuildUnit& unit,
                          const CompileStep& step,
                          bool withLauncher) {
  if (withLauncher && !toolchain.launcher.empty()) {
    *out += toolchain.launcher;
    *out += ' ';
  }
  *out += step.kind == SourceKind::kCxx ? toolchain.cxx : toolchain.cc;
  const std::string object = unit.ObjectPath(step);
  *out += " -MMD -MF ";
  AppendShellQuoted(out, object);
  *out += ".d ";
  *out += unit.cflags;
  const std::string& language =
      step.kind == SourceKind::kCxx ? unit.cxxOnlyFlags : unit.cOnlyFlags;
  if (!language.empty()) {
    *out += ' ';
    *out += language;
  }
  *out += " -c ";
  AppendShellQuoted(out, SourceArgument(step));
  *out += " -o ";
  AppendShellQuoted(out, object);
}

std::string FormatCompileCommands(const BuildGraph& graph) {
  std::string out;
  AppendCompileCommands(graph, &out);
  return out;
}

namespace {

// The entries of one unit, each after ",\n".
void AppendUnitCommands(const BuildGraph& graph,
                        const BuildUnit& unit,
                        const std::string& directory,
                        std::string* out_pointer) {
  std::string& out = *out_pointer;
  const std::string object_directory = unit.objectDirectory + "/";
  std::string command;
  for (const CompileStep& step : *unit.compiles) {
    out += ",\n  {\n    \"directory\": ";
    out += directory;
    out += ",\n    \"command\": ";
    command.clear();
    AppendCompileCommand(&command, graph.toolchain, unit, step, false);
    AppendJsonString(&out, command);
    out += ",\n    \"file\": ";
    AppendJsonString(&out, SourceArgument(step));
    out += ",\n    \"output\": ";
    AppendJsonString(&out, object_directory + step.objectName);
    out += "\n  }";
  }
}

}  // namespace

void AppendCompileCommands(const BuildGraph& graph,
                           std::string* out_pointer,
                           int jobs) {
  std::string& out = *out_pointer;
  const std::string directory = JsonString(graph.buildDirectory);
  size_t size = out.size() + 16;
  for (size_t index : graph.compileDatabaseUnits) {
    const BuildUnit& unit = graph.units[index];
    for (const CompileStep& step : *unit.compiles) {
      size += 128 + directory.size() + unit.cflags.size() +
              4 * (unit.objectDirectory.size() + step.objectName.size()) +
              2 * step.source.size();
    }
  }
  out.reserve(size);
  out += "[";
  const size_t start = out.size();
  // The first entry follows "[" with a line break alone.
  auto add = [&](const std::string& entries) {
    if (entries.empty())
      return;
    if (out.size() == start)
      out.append(entries, 1, std::string::npos);
    else
      out += entries;
  };
  const std::vector<size_t>& units = graph.compileDatabaseUnits;
  if (jobs <= 1) {
    std::string entries;
    for (size_t index : units) {
      entries.clear();
      AppendUnitCommands(graph, graph.units[index], directory, &entries);
      add(entries);
    }
  } else {
    std::vector<std::string> chunks(units.size());
    RunOrdered(
        units.size(), jobs,
        [&](size_t i) {
          AppendUnitCommands(graph, graph.units[units[i]], directory,
                             &chunks[i]);
        },
        [&](size_t i) {
          add(chunks[i]);
          std::string().swap(chunks[i]);
        });
  }
  out += out.size() == start ? "]\n" : "\n]\n";
}
