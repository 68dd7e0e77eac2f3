#include "util.h"
int main() { return util(); }
