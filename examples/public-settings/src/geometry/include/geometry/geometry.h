// Rectangles measured in fixed-point numbers. Users of this header need the
// fixed library's header and settings as well: the geometry library lists
// fixed as a public dependency, so they get them without naming fixed.
#ifndef GEOMETRY_GEOMETRY_H_
#define GEOMETRY_GEOMETRY_H_

#include <fixed/fixed.h>

namespace geometry {

struct Rectangle {
  fixed::Value width;
  fixed::Value height;
};

fixed::Value Area(const Rectangle& rectangle);
fixed::Value Perimeter(const Rectangle& rectangle);

}  // namespace geometry

#endif  // GEOMETRY_GEOMETRY_H_
