#include "core.h"

int CoreValue() {
  return 41;
}
