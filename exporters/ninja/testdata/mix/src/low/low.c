#include "low.h"

int low_value(void) {
  return 1;
}
