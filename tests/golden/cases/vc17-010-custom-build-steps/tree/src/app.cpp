#include <cstdio>
#include <cstring>

#include "version.h"

int lib_version();
int generated_value();

int main(int argc, char** argv) {
  std::printf("%d %d %d\n", lib_version(), VERSION, generated_value());
  return argc > 1 && std::strcmp(argv[1], "fail") == 0 ? 1 : 0;
}
