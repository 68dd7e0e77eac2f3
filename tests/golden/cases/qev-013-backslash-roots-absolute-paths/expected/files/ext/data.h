#ifndef DATA_H
#define DATA_H

extern unsigned char g_data[3];

#endif
