#include <cstdio>

#include "mid.h"

int main() {
  std::printf("chain: %d\n", MidAnswer());
  return 0;
}
