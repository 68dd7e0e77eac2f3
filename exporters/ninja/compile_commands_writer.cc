#include "exporters/ninja/compile_commands_writer.h"

#include "exporters/ninja/build_graph.h"
#include "exporters/ninja/ninja_escape.h"

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
  *out += " -c ";
  AppendShellQuoted(out, step.source);
  *out += " -o ";
  AppendShellQuoted(out, object);
}

std::string FormatCompileCommands(const BuildGraph& graph) {
  const std::string directory = JsonString(graph.buildDirectory);
  size_t size = 16;
  for (size_t index : graph.compileDatabaseUnits) {
    const BuildUnit& unit = graph.units[index];
    for (const CompileStep& step : *unit.compiles) {
      size += 128 + directory.size() + unit.cflags.size() +
              4 * (unit.objectDirectory.size() + step.objectName.size()) +
              2 * step.source.size();
    }
  }
  std::string out;
  out.reserve(size);
  out += "[";
  std::string command;
  bool first = true;
  for (size_t index : graph.compileDatabaseUnits) {
    const BuildUnit& unit = graph.units[index];
    const std::string object_directory = unit.objectDirectory + "/";
    for (const CompileStep& step : *unit.compiles) {
      out += first ? "\n" : ",\n";
      first = false;
      out += "  {\n    \"directory\": ";
      out += directory;
      out += ",\n    \"command\": ";
      command.clear();
      AppendCompileCommand(&command, graph.toolchain, unit, step, false);
      AppendJsonString(&out, command);
      out += ",\n    \"file\": ";
      AppendJsonString(&out, step.source);
      out += ",\n    \"output\": ";
      AppendJsonString(&out, object_directory + step.objectName);
      out += "\n  }";
    }
  }
  out += first ? "]\n" : "\n]\n";
  return out;
}
