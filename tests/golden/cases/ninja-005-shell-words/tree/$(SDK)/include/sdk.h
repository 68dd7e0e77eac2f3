#define SDK 3
