#include "driver/command_line.h"

#include <cstring>

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
  return letter == 'c' || letter == 'j' || letter == 'o' || letter == 'p' ||
         letter == 't' || letter == 'v' || letter == 'x';
}

}  // namespace

bool ParseJobs(const char* text, int* jobs) {
  int value = 0;
  size_t length = std::strlen(text);
  if (length == 0 || length > 9 || std::strspn(text, "0123456789") != length ||
      !ParseLeadingInt(text, &value) || value < 1)
    return false;
  *jobs = value;
  return true;
}

bool ParseCommandLine(int argc,
                      const char* const* argv,
                      Workspace* workspace,
                      std::string* error) {
  bool ok = true;
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
      case 'j':
        if (!ParseJobs(value, &workspace->jobs) && ok) {
          ok = false;
          if (error)
            *error = std::string(
                         "-j takes a number of threads, 1 or more, "
                         "not \"") +
                     value + "\"";
        }
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
  return ok;
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

namespace {

// "Win32 for VC7, VC71, VC8; ..." : each tool's platform without -p, from
// the tool table.
std::string DefaultPlatforms() {
  std::vector<std::pair<std::string, std::string>> groups;
  for (const Tool* tool : AllTools()) {
    std::string platform =
        tool->defaultPlatform ? tool->defaultPlatform : "the host's";
    if (groups.empty() || groups.back().first != platform)
      groups.emplace_back(platform, tool->name);
    else
      groups.back().second += std::string(", ") + tool->name;
  }
  std::string text;
  for (const auto& [platform, tools] : groups)
    text += (text.empty() ? "" : "; ") + platform + " for " + tools;
  return text;
}

// `text` broken into lines of at most `width` characters, the first going
// on a line that holds `indent` characters, each further one after
// `indent` blanks.
std::string Wrapped(const std::string& text, size_t indent, size_t width) {
  std::string out;
  size_t column = indent;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos)
      end = text.size();
    size_t length = end - start;
    if (column > indent && column + 1 + length > width) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
    } else if (column > indent) {
      out += ' ';
      ++column;
    }
    out.append(text, start, length);
    column += length;
    start = end + 1;
  }
  return out;
}

}  // namespace

bool HasStrictArgument(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--strict")
      return true;
    if (argument.size() > 1 && argument[0] == '-' && TakesValue(argument[1]))
      ++i;
  }
  return false;
}

std::string UsageText() {
  std::string tools;
  for (const Tool* tool : AllTools()) {
    std::string name = tool->name;
    tools += "                  " + name + std::string(8 - name.size(), ' ') +
             tool->description + "\n";
  }
  return "Usage: qev [-t <tool>] [-p <platform>] [-c <configuration>]... "
         "[-v <level>] [-o <name>] [-j <threads>] -x <project.qev>\n"
         "\n"
         "Reads an XML project description and writes the build files of a "
         "tool.\n"
         "\n"
         "Options:\n"
         "  -x <file>     the project description to read\n"
         "  -t <tool>     the build files to write (any letter case):\n" +
         tools + "  -p <platform> " +
         Wrapped(
             "the platform to write for (default: " + DefaultPlatforms() + ")",
             16, 79) +
         "\n"
         "  -c <name>     write only this configuration (repeatable): Visual "
         "Studio\n"
         "                solutions and project files, ninja files\n"
         "  -v <level>    print what was read when the level is above 3 "
         "(default 4)\n"
         "  -o <name>     base name of the solution or Xcode bundle\n"
         "  -j <threads>  threads that format and write the build files "
         "(default:\n"
         "                QEV_JOBS, else one per core); the output is the "
         "same for any\n"
         "                number\n"
         "  --strict      report every warning as an error; write nothing "
         "then\n"
         "  -h, --help    print this help and exit\n"
         "  --version     print the version and exit\n"
         "\n"
         "Example: cd build && qev -t make -x ../game.qev && make all\n"
         "See qev(1) for the description format.\n";
}
