#ifndef LOGO_H
#define LOGO_H

extern unsigned char g_logo[32];

#endif
