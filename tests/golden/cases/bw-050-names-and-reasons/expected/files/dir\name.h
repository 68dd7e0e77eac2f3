#ifndef NAME_H
#define NAME_H

extern unsigned char g_name[1];

#endif
