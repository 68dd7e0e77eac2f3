#ifndef DEMO_SHAPE_SHAPE_H_
#define DEMO_SHAPE_SHAPE_H_

#ifdef __cplusplus
extern "C" {
#endif

int shape_rectangle_area(int width, int height);

#ifdef __cplusplus
}
#endif

#endif  // DEMO_SHAPE_SHAPE_H_
