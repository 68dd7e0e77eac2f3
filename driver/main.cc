#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/interrupt.h"
#include "base/process_setup.h"
#include "base/reporter.h"
#include "driver/run.h"

int main(int argc, char** argv) {
  InstallInterruptHandlers();
  UseBinaryStandardStreams();
  const std::vector<std::string> args = CommandLineArguments(argc, argv);
  std::vector<const char*> arg_pointers;
  for (const std::string& arg : args)
    arg_pointers.push_back(arg.c_str());
  arg_pointers.push_back(nullptr);
  // The dump of a large description is big; write it in large blocks.
  static char out_buffer[1 << 16];
  std::setvbuf(stdout, out_buffer, _IOFBF, sizeof out_buffer);
  Reporter reporter(stdout, stderr);
  int status =
      RunQev(static_cast<int>(args.size()), arg_pointers.data(), reporter);
  // A full disk or a closed pipe must not pass for success.
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "qev: error: cannot write standard output: %s\n",
                 StandardStreamError().c_str());
    status = 1;
  }
  return status;
}
