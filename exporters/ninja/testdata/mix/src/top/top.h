#ifndef TOP_H_
#define TOP_H_
int TopValue();
#endif
