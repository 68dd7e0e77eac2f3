int near() { return 0; }
