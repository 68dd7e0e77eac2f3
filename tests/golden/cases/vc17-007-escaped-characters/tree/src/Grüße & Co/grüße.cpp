int g() { return 0; }
