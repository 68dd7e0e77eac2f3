#include "base.h"

int base_six(void) {
  return 6;
}
