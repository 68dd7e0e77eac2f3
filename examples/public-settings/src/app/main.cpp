// The program names only geometry as its dependency, yet it includes the
// fixed library's header and reads its FIXED_ONE: both reach it through
// geometry's public dependency on fixed.
#include <cstdio>

#include <fixed/fixed.h>
#include <geometry/geometry.h>

#ifdef FIXED_BUILDING
#error "the fixed library's private setting reached the program"
#endif

int main() {
  const geometry::Rectangle table{fixed::Make(1, FIXED_ONE / 2),
                                  fixed::Make(2, FIXED_ONE / 4)};
#ifdef NDEBUG
  std::printf("geometry demo (release build)\n");
#else
  std::printf("geometry demo (debug build)\n");
#endif
  std::printf("one unit is %d steps\n", FIXED_ONE);
  std::printf("area: %s\n", fixed::Format(geometry::Area(table)).c_str());
  std::printf("perimeter: %s\n",
              fixed::Format(geometry::Perimeter(table)).c_str());
  return 0;
}
