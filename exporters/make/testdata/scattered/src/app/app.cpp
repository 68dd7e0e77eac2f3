#include <cstdio>

#include "alpha.h"
#include "core.h"

int main() {
  std::printf("scattered: %d\n", CoreValue() + AlphaOne());
  return 0;
}
