#ifndef HERO_WALK_H
#define HERO_WALK_H

extern unsigned char g_Hero_Walk[2];

#endif
