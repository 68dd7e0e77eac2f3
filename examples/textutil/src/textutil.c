#include "textutil.h"

void textutil_upper(char* text) {
  for (; *text; ++text) {
    if (*text >= 'a' && *text <= 'z')
      *text = (char)(*text - 'a' + 'A');
  }
}
