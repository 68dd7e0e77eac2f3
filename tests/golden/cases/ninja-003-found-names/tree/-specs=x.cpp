int specs() { return 2; }
