// One register of 32-bit pixels at each x86 width, with the same members:
// Vec128 (SSE2), Vec256 (AVX2) and Vec512 (AVX-512). Kernel code written once
// against these members is included once per level (x86.h, ZORBLIT_*_BEGIN)
// and builds to that level's instructions. The byte, 16-bit and unpack/pack
// members work within 128-bit lanes at every width, as the instructions do.
// A Mask marks pixels: a register of all-ones lanes below AVX-512, a mask
// register there. Include only from kernel sources, inside #if defined(__x86_64__).
#pragma once
#include <cstddef>

#include "kernels/x86.h"

namespace zorblit::kernels::x86 {

struct Vec128 {
    using R = __m128i;
    using Mask = __m128i;
    static constexpr size_t pixels = 4;
    static constexpr bool maskedTails = false;

    static R load(const void *p) { return load128(p); }
    static void store(void *p, R v) { store128(p, v); }
    static R zero() { return _mm_setzero_si128(); }
    static R set32(uint32_t v) { return _mm_set1_epi32(int32_t(v)); }
    static R set64(uint64_t v) { return _mm_set1_epi64x(int64_t(v)); }

    static R bitOr(R a, R b) { return _mm_or_si128(a, b); }
    static R bitAnd(R a, R b) { return _mm_and_si128(a, b); }
    static R bitXor(R a, R b) { return _mm_xor_si128(a, b); }
    static R averageU8(R a, R b) { return _mm_avg_epu8(a, b); }
    static R addSaturatedU8(R a, R b) { return _mm_adds_epu8(a, b); }
    static R subSaturatedU8(R a, R b) { return _mm_subs_epu8(a, b); }
    static R add8(R a, R b) { return _mm_add_epi8(a, b); }
    static R add16(R a, R b) { return _mm_add_epi16(a, b); }
    static R mulLow16(R a, R b) { return _mm_mullo_epi16(a, b); }
    template <int N>
    static R shiftRight16(R a) {
        return _mm_srli_epi16(a, N);
    }
    // Bytes widened to 16-bit lanes, and 16-bit lanes narrowed with unsigned saturation.
    static R widenLow8(R a) { return _mm_unpacklo_epi8(a, zero()); }
    static R widenHigh8(R a) { return _mm_unpackhi_epi8(a, zero()); }
    static R narrow16(R low, R high) { return _mm_packus_epi16(low, high); }

    // (w, w, w, 0) in 16-bit lanes for the pixels widenLow8 / widenHigh8 give,
    // w each pixel's alpha byte: SSE2 has no byte shuffle, so shift and spread.
    static R alphaLanesLow(R a) { return spread(_mm_unpacklo_epi32(_mm_srli_epi32(a, 24), _mm_srli_epi32(a, 24))); }
    static R alphaLanesHigh(R a) { return spread(_mm_unpackhi_epi32(_mm_srli_epi32(a, 24), _mm_srli_epi32(a, 24))); }

    static Mask equal32(R a, R b) { return _mm_cmpeq_epi32(a, b); }
    static R select(Mask m, R ifSet, R ifClear) { return _mm_or_si128(_mm_and_si128(m, ifSet), _mm_andnot_si128(m, ifClear)); }
    static bool allZero(R a) { return _mm_movemask_epi8(_mm_cmpeq_epi8(a, zero())) == 0xFFFF; }
    // p[i] = v[i] where m is clear.
    static void storeExcept(void *p, Mask m, R v) { store(p, select(m, load(p), v)); }

private:
    // 32-bit lanes (w, w) per pixel pair to 16-bit lanes (w, w, w, 0).
    static R spread(R pairOfW) {
        constexpr int pattern = _MM_SHUFFLE(1, 0, 0, 0);
        return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pairOfW, pattern), pattern);
    }
};

struct Vec256 {
    using R = __m256i;
    using Mask = __m256i;
    static constexpr size_t pixels = 8;
    static constexpr bool maskedTails = false;

    ZORBLIT_AVX2 static R load(const void *p) { return load256(p); }
    ZORBLIT_AVX2 static void store(void *p, R v) { store256(p, v); }
    ZORBLIT_AVX2 static R zero() { return _mm256_setzero_si256(); }
    ZORBLIT_AVX2 static R set32(uint32_t v) { return _mm256_set1_epi32(int32_t(v)); }
    ZORBLIT_AVX2 static R set64(uint64_t v) { return _mm256_set1_epi64x(int64_t(v)); }

    ZORBLIT_AVX2 static R bitOr(R a, R b) { return _mm256_or_si256(a, b); }
    ZORBLIT_AVX2 static R bitAnd(R a, R b) { return _mm256_and_si256(a, b); }
    ZORBLIT_AVX2 static R bitXor(R a, R b) { return _mm256_xor_si256(a, b); }
    ZORBLIT_AVX2 static R averageU8(R a, R b) { return _mm256_avg_epu8(a, b); }
    ZORBLIT_AVX2 static R addSaturatedU8(R a, R b) { return _mm256_adds_epu8(a, b); }
    ZORBLIT_AVX2 static R subSaturatedU8(R a, R b) { return _mm256_subs_epu8(a, b); }
    ZORBLIT_AVX2 static R add8(R a, R b) { return _mm256_add_epi8(a, b); }
    ZORBLIT_AVX2 static R add16(R a, R b) { return _mm256_add_epi16(a, b); }
    ZORBLIT_AVX2 static R mulLow16(R a, R b) { return _mm256_mullo_epi16(a, b); }
    template <int N>
    ZORBLIT_AVX2 static R shiftRight16(R a) {
        return _mm256_srli_epi16(a, N);
    }
    ZORBLIT_AVX2 static R widenLow8(R a) { return _mm256_unpacklo_epi8(a, zero()); }
    ZORBLIT_AVX2 static R widenHigh8(R a) { return _mm256_unpackhi_epi8(a, zero()); }
    ZORBLIT_AVX2 static R narrow16(R low, R high) { return _mm256_packus_epi16(low, high); }

    // One byte shuffle each.
    ZORBLIT_AVX2 static R alphaLanesLow(R a) { return _mm256_shuffle_epi8(a, _mm256_set_epi64x(kPick1, kPick0, kPick1, kPick0)); }
    ZORBLIT_AVX2 static R alphaLanesHigh(R a) { return _mm256_shuffle_epi8(a, _mm256_set_epi64x(kPick3, kPick2, kPick3, kPick2)); }

    ZORBLIT_AVX2 static Mask equal32(R a, R b) { return _mm256_cmpeq_epi32(a, b); }
    ZORBLIT_AVX2 static R select(Mask m, R ifSet, R ifClear) { return _mm256_blendv_epi8(ifClear, ifSet, m); }
    ZORBLIT_AVX2 static bool allZero(R a) { return _mm256_testz_si256(a, a); }
    ZORBLIT_AVX2 static void storeExcept(void *p, Mask m, R v) { store(p, select(m, load(p), v)); }

    // Byte shuffles (indices within each 128-bit lane, 0xFF for zero) that make
    // (w, w, w, 0) 16-bit lanes from the alpha byte of pixel k of the lane.
    static constexpr int64_t kPick0 = int64_t(0xFFFFFF03FF03FF03u), kPick1 = int64_t(0xFFFFFF07FF07FF07u);
    static constexpr int64_t kPick2 = int64_t(0xFFFFFF0BFF0BFF0Bu), kPick3 = int64_t(0xFFFFFF0FFF0FFF0Fu);
};

struct Vec512 {
    using R = __m512i;
    using Mask = __mmask16;
    static constexpr size_t pixels = 16;
    static constexpr bool maskedTails = true;  // loadFirst, storeFirst

    ZORBLIT_AVX512 static R load(const void *p) { return load512(p); }
    ZORBLIT_AVX512 static void store(void *p, R v) { store512(p, v); }
    ZORBLIT_AVX512 static R zero() { return _mm512_setzero_si512(); }
    ZORBLIT_AVX512 static R set32(uint32_t v) { return _mm512_set1_epi32(int32_t(v)); }
    ZORBLIT_AVX512 static R set64(uint64_t v) { return _mm512_set1_epi64(int64_t(v)); }

    ZORBLIT_AVX512 static R bitOr(R a, R b) { return _mm512_or_si512(a, b); }
    ZORBLIT_AVX512 static R bitAnd(R a, R b) { return _mm512_and_si512(a, b); }
    ZORBLIT_AVX512 static R bitXor(R a, R b) { return _mm512_xor_si512(a, b); }
    ZORBLIT_AVX512 static R averageU8(R a, R b) { return _mm512_avg_epu8(a, b); }
    ZORBLIT_AVX512 static R addSaturatedU8(R a, R b) { return _mm512_adds_epu8(a, b); }
    ZORBLIT_AVX512 static R subSaturatedU8(R a, R b) { return _mm512_subs_epu8(a, b); }
    ZORBLIT_AVX512 static R add8(R a, R b) { return _mm512_add_epi8(a, b); }
    ZORBLIT_AVX512 static R add16(R a, R b) { return _mm512_add_epi16(a, b); }
    ZORBLIT_AVX512 static R mulLow16(R a, R b) { return _mm512_mullo_epi16(a, b); }
    template <int N>
    ZORBLIT_AVX512 static R shiftRight16(R a) {
        return _mm512_srli_epi16(a, N);
    }
    ZORBLIT_AVX512 static R widenLow8(R a) { return _mm512_unpacklo_epi8(a, zero()); }
    ZORBLIT_AVX512 static R widenHigh8(R a) { return _mm512_unpackhi_epi8(a, zero()); }
    ZORBLIT_AVX512 static R narrow16(R low, R high) { return _mm512_packus_epi16(low, high); }

    ZORBLIT_AVX512 static R alphaLanesLow(R a) { return _mm512_shuffle_epi8(a, pattern(Vec256::kPick0, Vec256::kPick1)); }
    ZORBLIT_AVX512 static R alphaLanesHigh(R a) { return _mm512_shuffle_epi8(a, pattern(Vec256::kPick2, Vec256::kPick3)); }

    ZORBLIT_AVX512 static Mask equal32(R a, R b) { return _mm512_cmpeq_epi32_mask(a, b); }
    ZORBLIT_AVX512 static R select(Mask m, R ifSet, R ifClear) { return _mm512_mask_blend_epi32(m, ifClear, ifSet); }
    ZORBLIT_AVX512 static bool allZero(R a) { return _mm512_test_epi32_mask(a, a) == 0; }
    ZORBLIT_AVX512 static void storeExcept(void *p, Mask m, R v) { _mm512_mask_storeu_epi32(p, Mask(~m), v); }

    // The first n < 16 pixels: lanes past them are neither read nor written,
    // so a run's last partial register cannot fault.
    ZORBLIT_AVX512 static Mask first(size_t n) { return Mask((1u << n) - 1); }
    ZORBLIT_AVX512 static R loadFirst(const void *p, size_t n) { return _mm512_maskz_loadu_epi32(first(n), p); }
    ZORBLIT_AVX512 static void storeFirst(void *p, size_t n, R v) { _mm512_mask_storeu_epi32(p, first(n), v); }
    ZORBLIT_AVX512 static void storeFirstExcept(void *p, size_t n, Mask m, R v) {
        _mm512_mask_storeu_epi32(p, Mask(first(n) & ~m), v);
    }

private:
    ZORBLIT_AVX512 static R pattern(int64_t low, int64_t high) { return _mm512_set_epi64(high, low, high, low, high, low, high, low); }
};

}  // namespace zorblit::kernels::x86
