#ifndef G_9_LIVES____H
#define G_9_LIVES____H

extern unsigned char g_9_lives___[2];

#endif
