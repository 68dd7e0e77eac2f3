#ifndef TWO_LINES_H
#define TWO_LINES_H

extern unsigned char g_two_lines[1];

#endif
