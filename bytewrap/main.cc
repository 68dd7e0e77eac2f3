#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/interrupt.h"
#include "base/process_setup.h"
#include "bytewrap/converter.h"
#include "generated/version.h"

namespace {

const char kUsage[] =
    "Usage: bytewrap <file>\n"
    "\n"
    "Writes the bytes of <file> as a C++ array: a header declaring\n"
    "  extern unsigned char g_<stem>[<size>];\n"
    "and a source defining it, named after the file's stem and written beside\n"
    "it (data/logo.png gives data/logo.h and data/logo.cpp).\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "A file named like an option is given with its directory: ./--help.\n";

}  // namespace

// bytewrap FILE: writes FILE's bytes as a C++ array into a header and a
// source file named after FILE's stem, beside it.
int main(int argc, char** argv) {
  InstallInterruptHandlers();
  UseBinaryStandardStreams();
  std::vector<std::string> args = CommandLineArguments(argc, argv);
  if (!args.empty())
    args.erase(args.begin());
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::fputs("bytewrap " QEV_VERSION "\n", stdout);
    return 0;
  }
  Outcome outcome = Convert(args);
  std::fwrite(outcome.messages.data(), 1, outcome.messages.size(), stdout);
  // A full disk or a closed pipe must not pass for success.
  errno = 0;
  bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
  std::string stream_error = written ? std::string() : StandardStreamError();
  std::fwrite(outcome.reasons.data(), 1, outcome.reasons.size(), stderr);
  if (!written) {
    std::fprintf(stderr, "bytewrap: cannot write standard output: %s\n",
                 stream_error.c_str());
    return 1;
  }
  return outcome.status;
}
