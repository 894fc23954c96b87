// What the x86-64 variants share: the intrinsics and the attribute that builds
// one function for AVX2 while the rest of the library stays at the baseline.
// Include only from kernel sources, inside #if defined(__x86_64__).
#pragma once
#include <immintrin.h>

#include <cstdint>

#define ZORBLIT_AVX2 __attribute__((target("avx2")))
#define ZORBLIT_AVX512 __attribute__((target("avx512f,avx512bw,avx512dq,avx512vl,avx2")))
// For loops the compiler vectorises, which at the AVX-512 level it otherwise
// keeps to 32-byte vectors.
#define ZORBLIT_AVX512_WIDE \
    __attribute__((target("avx512f,avx512bw,avx512dq,avx512vl,avx2,prefer-vector-width=512")))

// The same targets for every function defined in a region, templates and
// lambdas included: code written once for every register width is included
// once per level inside that level's region.
#if defined(__clang__)
#define ZORBLIT_AVX2_BEGIN _Pragma("clang attribute push(__attribute__((target(\"avx2\"))), apply_to = function)")
#define ZORBLIT_AVX512_BEGIN \
    _Pragma("clang attribute push(__attribute__((target(\"avx512f,avx512bw,avx512dq,avx512vl,avx2\"))), apply_to = function)")
#define ZORBLIT_TARGET_END _Pragma("clang attribute pop")
#else
#define ZORBLIT_AVX2_BEGIN _Pragma("GCC push_options") _Pragma("GCC target(\"avx2\")")
#define ZORBLIT_AVX512_BEGIN \
    _Pragma("GCC push_options") _Pragma("GCC target(\"avx512f,avx512bw,avx512dq,avx512vl,avx2\")")
#define ZORBLIT_TARGET_END _Pragma("GCC pop_options")
#endif

namespace zorblit::kernels::x86 {

inline __m128i load128(const void *p) { return _mm_loadu_si128(static_cast<const __m128i *>(p)); }
inline void store128(void *p, __m128i v) { _mm_storeu_si128(static_cast<__m128i *>(p), v); }
ZORBLIT_AVX2 inline __m256i load256(const void *p) { return _mm256_loadu_si256(static_cast<const __m256i *>(p)); }
ZORBLIT_AVX2 inline void store256(void *p, __m256i v) { _mm256_storeu_si256(static_cast<__m256i *>(p), v); }
ZORBLIT_AVX512 inline __m512i load512(const void *p) { return _mm512_loadu_si512(p); }
ZORBLIT_AVX512 inline void store512(void *p, __m512i v) { _mm512_storeu_si512(p, v); }

// Every lane of a 16-lane operation. GCC 12's unmasked AVX-512 intrinsics
// start from an undefined vector and warn that it may be used uninitialised;
// the zero-masked forms with all lanes give the same results without it.
constexpr __mmask16 kAll16 = 0xFFFF;

// Asks for the cache line a kilobyte past p. A prefetch never faults; the
// address is formed as an integer because it may lie past the end of the run.
inline void prefetchAhead(const void *p) {
    constexpr uintptr_t kAhead = 1024;
    _mm_prefetch(reinterpret_cast<const char *>(reinterpret_cast<uintptr_t>(p) + kAhead), _MM_HINT_T0);
}

}  // namespace zorblit::kernels::x86
