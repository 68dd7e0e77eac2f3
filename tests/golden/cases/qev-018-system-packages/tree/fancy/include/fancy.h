#define FANCY_NAME "fancy"
