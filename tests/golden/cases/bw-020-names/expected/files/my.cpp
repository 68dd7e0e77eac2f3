#include "my.h"

unsigned char g_my[2] = {
  0x0A,0x00
};
