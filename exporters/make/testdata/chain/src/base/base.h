#ifndef CHAIN_BASE_H_
#define CHAIN_BASE_H_

#ifdef __cplusplus
extern "C" {
#endif

int base_six(void);
int base_seven(void);

#ifdef __cplusplus
}
#endif

#endif
