#ifndef MID_H_
#define MID_H_
#include "low.h"
int MidValue();
#endif
