#ifndef IC__NE_H
#define IC__NE_H

extern unsigned char g_ic__ne[5];

#endif
