#include "top.h"

#include "mid.h"

int TopValue() {
  return MidValue() + 100;
}
