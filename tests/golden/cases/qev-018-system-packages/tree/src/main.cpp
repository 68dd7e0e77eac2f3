#include <cstdio>

#include "fancy.h"

double core_root();

int main() {
  std::printf("%s %d %.0f\n", FANCY_NAME, FANCY_LEVEL, core_root());
  return 0;
}
