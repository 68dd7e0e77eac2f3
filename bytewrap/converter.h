#ifndef QEV_BYTEWRAP_CONVERTER_H_
#define QEV_BYTEWRAP_CONVERTER_H_

#include <string>
#include <vector>

// What a run of bytewrap reports: its messages for standard output, each
// ending in "\r\n", and its exit status. A failure also says why on
// standard error, one "bytewrap: ..." line per message.
struct Outcome {
  int status = 0;
  std::string messages;
  std::string reasons;
};

// Converts the file named by the one argument in `args` into a header
// declaring an array of its bytes and a source defining it. On failure no
// output file has changed.
Outcome Convert(const std::vector<std::string>& args);

#endif  // QEV_BYTEWRAP_CONVERTER_H_
