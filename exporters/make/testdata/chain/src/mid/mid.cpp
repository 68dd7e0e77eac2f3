#include "mid.h"

#include "base.h"

int MidAnswer() {
  return base_six() * base_seven();
}
