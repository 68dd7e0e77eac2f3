#include "mid.h"

int MidValue() {
  return low_value() + 10;
}
