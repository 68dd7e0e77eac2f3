int util() { return 0; }
