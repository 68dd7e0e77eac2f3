#include "exporters/ninja/compile_commands_writer.h"

#include "exporters/ninja/build_graph.h"
#include "exporters/ninja/ninja_escape.h"

std::string FormatCompileCommand(const Toolchain& toolchain,
                                 const BuildUnit& unit,
                                 const CompileStep& step,
                                 bool withLauncher) {
  std::string command;
  if (withLauncher && !toolchain.launcher.empty()) {
    command += toolchain.launcher;
    command += ' ';
  }
  command += step.kind == SourceKind::kCxx ? toolchain.cxx : toolchain.cc;
  const std::string object = ShellQuote(step.object);
  command += " -MMD -MF ";
  command += object;
  command += ".d ";
  command += unit.cflags;
  command += " -c ";
  command += ShellQuote(step.source);
  command += " -o ";
  command += object;
  return command;
}

std::string FormatCompileCommands(const BuildGraph& graph) {
  std::string out = "[";
  const std::string directory = JsonString(graph.buildDirectory);
  bool first = true;
  for (size_t index : graph.compileDatabaseUnits) {
    const BuildUnit& unit = graph.units[index];
    for (const CompileStep& step : unit.compiles) {
      out += first ? "\n" : ",\n";
      first = false;
      out += "  {\n    \"directory\": ";
      out += directory;
      out += ",\n    \"command\": ";
      out +=
          JsonString(FormatCompileCommand(graph.toolchain, unit, step, false));
      out += ",\n    \"file\": ";
      out += JsonString(step.source);
      out += ",\n    \"output\": ";
      out += JsonString(step.object);
      out += "\n  }";
    }
  }
  out += first ? "]\n" : "\n]\n";
  return out;
}
