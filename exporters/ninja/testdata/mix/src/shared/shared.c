#include "shared.h"

int shared_value(void) {
  return 1000;
}
