#include "exporters/ninja/compile_commands_writer.h"

#include "base/json_string.h"
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

void AppendCompileCommands(const BuildGraph& graph, std::string* out_pointer) {
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
      AppendJsonString(&out, SourceArgument(step));
      out += ",\n    \"output\": ";
      AppendJsonString(&out, object_directory + step.objectName);
      out += "\n  }";
    }
  }
  out += first ? "]\n" : "\n]\n";
}
