int core();
