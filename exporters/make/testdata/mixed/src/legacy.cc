#error "make does not compile .cc sources"
