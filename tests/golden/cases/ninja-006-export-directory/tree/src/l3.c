#include "chain.h"
int l3(void) { return 3 + l4(); }
