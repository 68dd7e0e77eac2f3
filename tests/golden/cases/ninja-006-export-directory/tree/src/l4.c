#include "chain.h"
int l4(void) { return 4; }
