#include "logo.h"

unsigned char g_logo[3] = {
  0x50,0x4E,0x47
};
