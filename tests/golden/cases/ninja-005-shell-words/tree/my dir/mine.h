#define MINE 2
