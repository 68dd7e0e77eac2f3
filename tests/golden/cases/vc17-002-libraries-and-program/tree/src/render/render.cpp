int render() { return 2; }
