// Runs of the packed operators, four pixels per step with SSE2 (x86-64 always
// has it). Each function handles a multiple of four pixels and returns how many
// it did; the caller finishes the rest with the one-pixel operators of
// form_packed.h, which these must equal (tests sweep both).
#pragma once
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zorblit {

// AlphaSkippingTransparent is Alpha that leaves the destination alone where the
// source's alpha is 0 (the packed alpha sprite rule).
enum class BlendOp { Average, SaturatedAdd, SaturatedSub, Alpha, AlphaSkippingTransparent, AlphaValue };

#if defined(__SSE2__)
namespace sse2 {

inline __m128i load(const uint32_t *p) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p)); }
inline void store(uint32_t *p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i *>(p), v); }

// (s * w + d * (255 - w)) >> 8 per byte, for two pixels widened to 16-bit lanes;
// w holds (w, w, w, 0) per pixel, so alpha comes out 0.
inline __m128i mixHalf(__m128i s16, __m128i d16, __m128i w16) {
    const __m128i colourMask = _mm_set_epi16(0, 255, 255, 255, 0, 255, 255, 255);
    const __m128i inverse = _mm_xor_si128(w16, colourMask);
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(s16, w16), _mm_mullo_epi16(d16, inverse)), 8);
}

inline __m128i mix(__m128i s, __m128i d, __m128i wLow, __m128i wHigh) {
    const __m128i zero = _mm_setzero_si128();
    return _mm_packus_epi16(mixHalf(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), wLow),
                            mixHalf(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), wHigh));
}

// The weight lanes (w, w, w, 0) of two pixels, from 32-bit lanes holding w.
inline __m128i weightLanes(__m128i pairOfW) {
    constexpr int spread = _MM_SHUFFLE(1, 0, 0, 0);
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pairOfW, spread), spread);
}

template <BlendOp Op>
size_t run(const uint32_t *source, uint32_t *dest, size_t count, uint8_t value) {
    const size_t vectorCount = count & ~size_t(3);
    const __m128i valueLanes = weightLanes(_mm_set1_epi32(value));
    for (size_t i = 0; i < vectorCount; i += 4) {
        const __m128i s = load(source + i), d = load(dest + i);
        __m128i r;
        if constexpr (Op == BlendOp::Average) {
            r = _mm_avg_epu8(s, d);
        } else if constexpr (Op == BlendOp::SaturatedAdd) {
            r = _mm_adds_epu8(s, d);
        } else if constexpr (Op == BlendOp::SaturatedSub) {
            r = _mm_subs_epu8(s, d);
        } else if constexpr (Op == BlendOp::AlphaValue) {
            r = mix(s, d, valueLanes, valueLanes);
        } else {
            const __m128i w = _mm_srli_epi32(s, 24);
            r = mix(s, d, weightLanes(_mm_unpacklo_epi32(w, w)), weightLanes(_mm_unpackhi_epi32(w, w)));
            if constexpr (Op == BlendOp::AlphaSkippingTransparent) {
                const __m128i transparent = _mm_cmpeq_epi32(w, _mm_setzero_si128());
                r = _mm_or_si128(_mm_and_si128(transparent, d), _mm_andnot_si128(transparent, r));
            }
        }
        store(dest + i, r);
    }
    return vectorCount;
}

}  // namespace sse2
#endif

// How many leading pixels of the run the vector path blended (0 without SSE2).
template <BlendOp Op>
size_t packedVectorRun(const uint32_t *source, uint32_t *dest, size_t count, uint8_t value = 0) {
#if defined(__SSE2__)
    return sse2::run<Op>(source, dest, count, value);
#else
    (void)source, (void)dest, (void)count, (void)value;
    return 0;
#endif
}

}  // namespace zorblit
