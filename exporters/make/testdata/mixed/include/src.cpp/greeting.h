#ifndef GREETING_H_
#define GREETING_H_

#ifdef __cplusplus
extern "C" {
#endif
const char* greeting(void);
#ifdef __cplusplus
}
#endif

#endif
