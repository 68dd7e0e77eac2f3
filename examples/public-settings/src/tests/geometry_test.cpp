// The test program: the area of a 1.5 x 2.25 rectangle, compared with the
// text given as its argument (TESTARGS).
#include <cstdio>
#include <string>

#include <geometry/geometry.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: geometry_test <expected area>\n");
    return 2;
  }
  const geometry::Rectangle rectangle{fixed::Make(1, FIXED_ONE / 2),
                                      fixed::Make(2, FIXED_ONE / 4)};
  const std::string area = fixed::Format(geometry::Area(rectangle));
  if (area != argv[1]) {
    std::printf("geometry_test: area %s, expected %s\n", area.c_str(), argv[1]);
    return 1;
  }
  std::printf("geometry_test: area %s as expected\n", area.c_str());
  return 0;
}
