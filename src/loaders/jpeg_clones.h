// The decoder's hottest loops are built twice on x86-64 ELF systems: for AVX2
// (32-bit multiplies in one instruction, twice the vector width) and for the
// baseline. The dynamic loader picks the one for the processor at hand.
#pragma once

#if defined(__x86_64__) && defined(__ELF__)
#define ZORBLIT_JPEG_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ZORBLIT_JPEG_CLONES
#endif
