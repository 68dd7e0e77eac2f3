#define ASM_VALUE 7
