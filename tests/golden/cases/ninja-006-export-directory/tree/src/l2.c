#include "chain.h"
int l2(void) { return 2 + l3(); }
