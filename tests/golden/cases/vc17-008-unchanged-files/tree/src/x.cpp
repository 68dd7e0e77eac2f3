int x() { return 0; }
