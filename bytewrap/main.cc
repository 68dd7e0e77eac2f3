#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/interrupt.h"
#include "base/process_setup.h"
#include "bytewrap/converter.h"

// bytewrap FILE: writes FILE's bytes as a C++ array into a header and a
// source file named after FILE's stem, beside it.
int main(int argc, char** argv) {
  InstallInterruptHandlers();
  UseBinaryStandardStreams();
  std::vector<std::string> args = CommandLineArguments(argc, argv);
  if (!args.empty())
    args.erase(args.begin());
  Outcome outcome = Convert(args);
  // A full disk or a closed pipe must not pass for success.
  errno = 0;
  std::fwrite(outcome.messages.data(), 1, outcome.messages.size(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "bytewrap: cannot write standard output: %s\n",
                 StandardStreamError().c_str());
    return 1;
  }
  return outcome.status;
}
