#include "icon.h"

unsigned char g_icon[1] = {
  0x7F
};
