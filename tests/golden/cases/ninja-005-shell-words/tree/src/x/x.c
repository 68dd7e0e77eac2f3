int from_shared(void) { return 1; }
