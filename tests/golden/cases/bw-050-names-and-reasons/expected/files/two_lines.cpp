#include "two_lines.h"

unsigned char g_two_lines[1] = {
  0x78
};
