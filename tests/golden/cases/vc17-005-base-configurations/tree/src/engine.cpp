int engine() { return 0; }
