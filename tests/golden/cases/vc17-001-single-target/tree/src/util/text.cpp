int util() { return 1; }
