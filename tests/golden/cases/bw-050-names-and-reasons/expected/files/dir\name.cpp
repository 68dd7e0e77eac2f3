#include "dir\name.h"

unsigned char g_name[1] = {
  0x7A
};
