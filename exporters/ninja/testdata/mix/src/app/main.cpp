#include <cstdio>

#include "shared.h"
#include "top.h"

extern "C" int asm_value;
int AFromCpp();
int NameOne();
int NameTwo();

int main() {
  std::printf("mix: %d\n", TopValue() + shared_value() + AFromCpp() +
                               NameOne() + NameTwo() + asm_value);
  return 0;
}
