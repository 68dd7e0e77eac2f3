#include "driver/command_line.h"

#include "base/reporter.h"
#include "base/text.h"
#include "driver/tool_table.h"
#include "model/model.h"

std::optional<std::string> DefaultPlatform(const std::string& name) {
  const Tool* tool = FindTool(name);
  if (!tool)
    return std::nullopt;
  return std::string(tool->defaultPlatform ? tool->defaultPlatform
                                           : HostPlatform());
}

void ParseCommandLine(int argc, const char* const* argv, Workspace* workspace) {
  for (int i = 0; i < argc; ++i) {
    const char* argument = argv[i];
    if (argument[0] != '-')
      continue;
    char letter = argument[1];
    bool takes_value = letter == 'c' || letter == 'o' || letter == 'p' ||
                       letter == 't' || letter == 'v' || letter == 'x';
    if (!takes_value)
      continue;
    if (i + 1 >= argc)
      break;
    const char* value = argv[++i];
    switch (letter) {
      case 'c':
        workspace->configurationFilter.insert(value);
        break;
      case 'o':
        workspace->outputName = value;
        break;
      case 'p':
        workspace->platform = value;
        break;
      case 't':
        workspace->tool = value;
        break;
      case 'v':
        ParseLeadingInt(value, &workspace->verbosity);
        break;
      case 'x':
        workspace->projectFile = value;
        break;
    }
  }
  if (!workspace->platform && workspace->tool)
    workspace->platform = DefaultPlatform(*workspace->tool);
}

void PrintHelp(Reporter& reporter) {
  // The short help is the tool's own text, byte for byte, and scripts
  // compare it: it lists only some tools and platforms on purpose.
  reporter.Print(
      "QEV help\n"
      "QEV [-t <tool>] [-p <platform>] -x <project.qev>\n"
      "Tools:\n"
      "  VC7\n"
      "  VC8\n"
      "  make\n"
      "Platforms:\n"
      "  WIN32\n"
      "  UNIX/LINUX/OSX/ETC\n"
      "  XENON/XBOX360\n"
      "  PS3\n");
}
