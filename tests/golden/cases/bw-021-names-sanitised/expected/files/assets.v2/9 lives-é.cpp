#include "9 lives-é.h"

unsigned char g_9_lives___[2] = {
  0x01,0x02
};
