#ifndef QEV_EXPORTERS_NINJA_COMPILE_COMMANDS_WRITER_H_
#define QEV_EXPORTERS_NINJA_COMPILE_COMMANDS_WRITER_H_

#include <string>

struct BuildGraph;
struct BuildUnit;
struct CompileStep;
struct Toolchain;

// The command that compiles `step`, exactly as ninja expands the compile
// rule of build.ninja for it, the launcher left out when `withLauncher` is
// false.
std::string FormatCompileCommand(const Toolchain& toolchain,
                                 const BuildUnit& unit,
                                 const CompileStep& step,
                                 bool withLauncher);
void AppendCompileCommand(std::string* out,
                          const Toolchain& toolchain,
                          const BuildUnit& unit,
                          const CompileStep& step,
                          bool withLauncher);

// compile_commands.json: one entry per compiled file of the units that
// graph.compileDatabaseUnits names, without the compiler launcher (tools
// that read the file run the compiler themselves).
std::string FormatCompileCommands(const BuildGraph& graph);
// The same, appended to `out`.
// The units' entries are formatted on `jobs` threads, which changes nothing
// of the text.
void AppendCompileCommands(const BuildGraph& graph,
                           std::string* out,
                           int jobs = 1);

#endif  // QEV_EXPORTERS_NINJA_COMPILE_COMMANDS_WRITER_H_
