#include <cstdio>
#include <string>
#include <vector>

#include "bytewrap/converter.h"

// bytewrap FILE: writes FILE's bytes as a C++ array into a header and a
// source file named after FILE's stem, beside it.
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  Outcome outcome = Convert(args);
  std::fwrite(outcome.messages.data(), 1, outcome.messages.size(), stdout);
  return outcome.status;
}
