#include "greeting.h"

const char* greeting(void) {
  return "mixed: hello";
}
