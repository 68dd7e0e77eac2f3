#ifndef SCATTERED_ALPHA_H_
#define SCATTERED_ALPHA_H_

#ifdef __cplusplus
extern "C" {
#endif
int AlphaOne(void);
#ifdef __cplusplus
}
#endif

#endif
