int at() { return 1; }
