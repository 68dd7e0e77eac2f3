#include "say _hi_.h"

unsigned char g_say__hi_[2] = {
  0x61,0x62
};
