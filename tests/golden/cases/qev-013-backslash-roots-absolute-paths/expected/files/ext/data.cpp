#include "data.h"

unsigned char g_data[3] = {
  0x61,0x62,0x63
};
