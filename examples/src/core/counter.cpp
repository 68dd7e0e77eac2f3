#include "counter.h"

#include <cassert>

void Counter::Add(int value) {
#if CORE_CHECKS
  assert(value >= 0);
#endif
  total_ += value;
}

const char* CoreMode() {
#if CORE_CHECKS
  return "checked";
#else
  return "fast";
#endif
}
