#include "value.h"
	.data
	.globl asm_value
	.globl _asm_value
asm_value:
_asm_value:
	.long ASM_VALUE
#if defined(__linux__) && defined(__ELF__)
	.section .note.GNU-stack,"",%progbits
#endif
