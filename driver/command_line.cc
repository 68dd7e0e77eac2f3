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

namespace {

bool TakesValue(char letter) {
  return letter == 'c' || letter == 'o' || letter == 'p' || letter == 't' ||
         letter == 'v' || letter == 'x';
}

}  // namespace

void ParseCommandLine(int argc, const char* const* argv, Workspace* workspace) {
  for (int i = 0; i < argc; ++i) {
    const char* argument = argv[i];
    if (argument[0] != '-')
      continue;
    char letter = argument[1];
    if (!TakesValue(letter))
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

InfoRequest FindInfoRequest(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-h" || argument == "--help")
      return InfoRequest::kHelp;
    if (argument == "--version")
      return InfoRequest::kVersion;
    if (argument.size() > 1 && argument[0] == '-' && TakesValue(argument[1]))
      ++i;
  }
  return InfoRequest::kNone;
}

std::string UsageText() {
  return "Usage: qev [-t <tool>] [-p <platform>] [-c <configuration>]... "
         "[-v <level>] [-o <name>] -x <project.qev>\n"
         "\n"
         "Reads an XML project description and writes the build files of a "
         "tool.\n"
         "\n"
         "Options:\n"
         "  -x <file>     the project description to read\n"
         "  -t <tool>     VC7, VC71, VC8, make or xcode (any letter case)\n"
         "  -p <platform> the platform to write for (default: Win32 for the "
         "Visual\n"
         "                Studio tools, the host for make, MacOSX for xcode)\n"
         "  -c <name>     list only this configuration in Visual Studio "
         "solutions\n"
         "                (repeatable)\n"
         "  -v <level>    print what was read when the level is above 3 "
         "(default 4)\n"
         "  -o <name>     base name of the solution or Xcode bundle\n"
         "  -h, --help    print this help and exit\n"
         "  --version     print the version and exit\n"
         "\n"
         "Example: cd build && qev -t make -x ../game.qev && make all\n"
         "See qev(1) for the description format.\n";
}
