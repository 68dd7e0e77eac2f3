#include <cmath>

#include "fancy.h"

double core_root() { return std::sqrt(FANCY_LEVEL * 3.0); }
