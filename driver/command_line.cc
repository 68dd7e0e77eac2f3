#include "driver/command_line.h"

#include "model/model.h"
#include "model/reporter.h"
#include "model/text.h"

std::optional<std::string> DefaultPlatform(const std::string& tool) {
  if (EqualsNoCase(tool, "VC7") || EqualsNoCase(tool, "VC71") ||
      EqualsNoCase(tool, "VC8"))
    return std::string("Win32");
  if (EqualsNoCase(tool, "make") || EqualsNoCase(tool, "ninja")) {
#if defined(__APPLE__)
    return std::string("MacOSX");
#else
    return std::string("Linux");
#endif
  }
  if (EqualsNoCase(tool, "xcode"))
    return std::string("MacOSX");
  return std::nullopt;
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
