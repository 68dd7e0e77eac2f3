int deep() { return 0; }
