#include "Hero-Walk.h"

unsigned char g_Hero_Walk[2] = {
  0x48,0x69
};
