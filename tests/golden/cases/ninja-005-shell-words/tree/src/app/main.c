#include <math.h>
#include <stdio.h>
#include "mine.h"
#include "sdk.h"
int from_shared(void);
int from_archive(void);
int main(void) {
  printf("%d %d %d %d\n", MINE, SDK, from_shared(), from_archive());
  return (int)floor(0.5);
}
