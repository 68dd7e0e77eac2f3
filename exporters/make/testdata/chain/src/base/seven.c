#include "base.h"

int base_seven(void) {
  return 7;
}
