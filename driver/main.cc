#include <cstdio>

#include "driver/run.h"
#include "model/reporter.h"

int main(int argc, char** argv) {
  // The dump of a large description is big; write it in large blocks.
  static char out_buffer[1 << 16];
  std::setvbuf(stdout, out_buffer, _IOFBF, sizeof out_buffer);
  Reporter reporter(stdout, stderr);
  int status = RunQev(argc, argv, reporter);
  if (std::fflush(stdout) != 0)
    status = 1;
  return status;
}
