#include "alpha.h"

int AlphaOne(void) {
  return 1;
}
