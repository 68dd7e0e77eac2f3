#include "shape.h"

int shape_rectangle_area(int width, int height) {
  return width * height;
}
