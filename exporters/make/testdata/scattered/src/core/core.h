#ifndef SCATTERED_CORE_H_
#define SCATTERED_CORE_H_

int CoreValue();

#endif
