#include <stdio.h>
#include "chain.h"
int main(void) {
  printf("%d\n", l1());
  return 0;
}
