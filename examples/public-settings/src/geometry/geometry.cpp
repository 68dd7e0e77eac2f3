#include "geometry/geometry.h"

#ifdef FIXED_BUILDING
#error "the fixed library's private setting reached geometry"
#endif

namespace geometry {

fixed::Value Area(const Rectangle& rectangle) {
  return fixed::Multiply(rectangle.width, rectangle.height);
}

fixed::Value Perimeter(const Rectangle& rectangle) {
  return 2 * (rectangle.width + rectangle.height);
}

}  // namespace geometry
