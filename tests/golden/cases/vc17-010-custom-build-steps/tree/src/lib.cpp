#include "version.h"
int lib_version() { return VERSION; }
