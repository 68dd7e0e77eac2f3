#include "chain.h"
int l1(void) { return 1 + l2(); }
