int plugin() { return 2; }
