int c() { return 0; }
