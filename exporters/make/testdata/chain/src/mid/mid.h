#ifndef CHAIN_MID_H_
#define CHAIN_MID_H_

int MidAnswer();

#endif
