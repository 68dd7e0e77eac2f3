#ifndef SAY__HI__H
#define SAY__HI__H

extern unsigned char g_say__hi_[2];

#endif
