#include <cstdio>

#include "build_info.h"  // from ../src/config/debug or ../src/config/release
#include "counter.h"
#include "shape.h"
#include "textutil.h"

extern "C" const char* demo_banner(void);

int main() {
  std::printf("%s: %s build\n", demo_banner(), DEMO_BUILD_NAME);
  std::printf("core: %s\n", CoreMode());

  Counter counter;
  counter.Add(2);
  counter.Add(5);
  std::printf("counter total: %d\n", counter.total());

  std::printf("rectangle 3x4 area: %d\n", shape_rectangle_area(3, 4));

  char text[] = "hello from qev";
  textutil_upper(text);
  std::printf("upper: %s\n", text);
  return 0;
}
