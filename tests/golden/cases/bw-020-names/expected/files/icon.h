#ifndef ICON_H
#define ICON_H

extern unsigned char g_icon[1];

#endif
