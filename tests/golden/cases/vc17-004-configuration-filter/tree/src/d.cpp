int d() { return 0; }
