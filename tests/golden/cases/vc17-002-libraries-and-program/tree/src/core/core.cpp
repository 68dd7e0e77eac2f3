int core() { return 1; }
