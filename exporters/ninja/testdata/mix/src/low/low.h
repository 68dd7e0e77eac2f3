#ifndef LOW_H_
#define LOW_H_
#ifdef __cplusplus
extern "C" {
#endif
int low_value(void);
#ifdef __cplusplus
}
#endif
#endif
