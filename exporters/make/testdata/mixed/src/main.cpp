#include <cstdio>

#include "greeting.h"

int main() {
  std::printf("%s\n", greeting());
  return 0;
}
