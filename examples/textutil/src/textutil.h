#ifndef TEXTUTIL_TEXTUTIL_H_
#define TEXTUTIL_TEXTUTIL_H_

#ifdef __cplusplus
extern "C" {
#endif

/* Turns the ASCII letters of `text` into capitals, in place. */
void textutil_upper(char* text);

#ifdef __cplusplus
}
#endif

#endif /* TEXTUTIL_TEXTUTIL_H_ */
