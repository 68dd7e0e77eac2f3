#ifndef MY_H
#define MY_H

extern unsigned char g_my[2];

#endif
