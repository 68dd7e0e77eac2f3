#include "logo.h"

unsigned char g_logo[1] = {
  0xFF
};
