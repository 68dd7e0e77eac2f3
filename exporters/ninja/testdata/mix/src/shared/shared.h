#ifndef SHARED_H_
#define SHARED_H_
#ifdef __cplusplus
extern "C" {
#endif
int shared_value(void);
#ifdef __cplusplus
}
#endif
#endif
