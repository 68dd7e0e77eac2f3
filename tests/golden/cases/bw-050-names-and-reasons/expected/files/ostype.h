#ifndef OSTYPE_H
#define OSTYPE_H

extern unsigned char g_ostype[6];

#endif
