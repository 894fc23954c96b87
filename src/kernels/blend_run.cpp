#include "kernels/blend_run.h"

#include "core/form_packed.h"
#include "core/form_portable.h"
#include "kernels/dispatch.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace plain {

template <BlendOp Op>
uint32_t blendPixel(uint32_t a, uint32_t b, uint8_t value) {
    if constexpr (Op == BlendOp::Average) return Packed::average(a, b);
    if constexpr (Op == BlendOp::SaturatedAdd) return Packed::saturatedAdd(a, b);
    if constexpr (Op == BlendOp::SaturatedSub) return Packed::saturatedSub(a, b);
    if constexpr (Op == BlendOp::Alpha) return Packed::alpha(a, b);
    if constexpr (Op == BlendOp::AlphaSkippingTransparent) return a >> 24 ? Packed::alpha(a, b) : b;
    if constexpr (Op == BlendOp::AlphaValue) return Packed::alphaValue(a, b, value);
    if constexpr (Op == BlendOp::Invert) return ~a;
    if constexpr (Op == BlendOp::OpaqueAverageDown) return Portable::average(a, b);
    if constexpr (Op == BlendOp::OpaqueSaturatedAdd) return Portable::saturatedAdd(a, b);
    if constexpr (Op == BlendOp::OpaqueSaturatedSub) return Portable::saturatedSub(a, b);
    if constexpr (Op == BlendOp::OpaqueAlpha) return Portable::alpha(a, b);
    if constexpr (Op == BlendOp::AlphaValueAllBytes) return Portable::alphaValue(a, b, value);
}

template <BlendOp Op>
void blendRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value) {
    for (size_t i = 0; i < count; ++i) dest[i] = blendPixel<Op>(a[i], b[i], value);
}

void keyRun(uint32_t *dest, const uint32_t *source, size_t count, uint32_t key) {
    for (size_t i = 0; i < count; ++i)
        if (source[i] != key) dest[i] = source[i];
}

}  // namespace plain

#if defined(__x86_64__)
// Runs over three distinct images prefetch their two sources a kilobyte ahead,
// once per 64-byte line: on 1024x768 images that takes up to a fifth off the
// time. Runs over fewer images are faster left to the hardware prefetcher.
inline bool threeImages(const uint32_t *dest, const uint32_t *a, const uint32_t *b) {
    return a != b && dest != a && dest != b;
}

namespace sse2 {
using namespace x86;

// (s * w + d * (255 - w)) >> 8 per byte, for two pixels widened to 16-bit lanes.
// w holds (w, w, w, 0) per pixel, so alpha comes out 0, unless AllBytes (then
// (w, w, w, w), alpha mixed too).
template <bool AllBytes = false>
inline __m128i mixHalf(__m128i s16, __m128i d16, __m128i w16) {
    const __m128i laneMask = AllBytes ? _mm_set1_epi16(255) : _mm_set_epi16(0, 255, 255, 255, 0, 255, 255, 255);
    const __m128i inverse = _mm_xor_si128(w16, laneMask);
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(s16, w16), _mm_mullo_epi16(d16, inverse)), 8);
}

template <bool AllBytes = false>
inline __m128i mix(__m128i s, __m128i d, __m128i wLow, __m128i wHigh) {
    const __m128i zero = _mm_setzero_si128();
    return _mm_packus_epi16(mixHalf<AllBytes>(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), wLow),
                            mixHalf<AllBytes>(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), wHigh));
}

// Per byte (a >> 1) + (b >> 1): the halves cannot carry.
inline __m128i averageDown(__m128i a, __m128i b) {
    const __m128i low7 = _mm_set1_epi8(0x7F);
    return _mm_add_epi8(_mm_and_si128(_mm_srli_epi16(a, 1), low7), _mm_and_si128(_mm_srli_epi16(b, 1), low7));
}

// The weight lanes (w, w, w, 0) of two pixels, from 32-bit lanes holding w.
inline __m128i weightLanes(__m128i pairOfW) {
    constexpr int spread = _MM_SHUFFLE(1, 0, 0, 0);
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pairOfW, spread), spread);
}

template <BlendOp Op>
__m128i blend(__m128i a, __m128i b, __m128i valueLanes) {
    const __m128i opaque = _mm_set1_epi32(int32_t(0xFF000000u));
    if constexpr (Op == BlendOp::OpaqueAverageDown) {
        return _mm_or_si128(averageDown(a, b), opaque);
    } else if constexpr (Op == BlendOp::OpaqueSaturatedAdd) {
        return _mm_or_si128(blend<BlendOp::SaturatedAdd>(a, b, valueLanes), opaque);
    } else if constexpr (Op == BlendOp::OpaqueSaturatedSub) {
        return _mm_or_si128(blend<BlendOp::SaturatedSub>(a, b, valueLanes), opaque);
    } else if constexpr (Op == BlendOp::OpaqueAlpha) {
        return _mm_or_si128(blend<BlendOp::Alpha>(a, b, valueLanes), opaque);
    } else if constexpr (Op == BlendOp::AlphaValueAllBytes) {
        return mix<true>(a, b, valueLanes, valueLanes);
    } else if constexpr (Op == BlendOp::Average) {
        return _mm_avg_epu8(a, b);
    } else if constexpr (Op == BlendOp::SaturatedAdd) {
        return _mm_adds_epu8(a, b);
    } else if constexpr (Op == BlendOp::SaturatedSub) {
        return _mm_subs_epu8(a, b);
    } else if constexpr (Op == BlendOp::Invert) {
        return _mm_xor_si128(a, _mm_set1_epi32(-1));
    } else if constexpr (Op == BlendOp::AlphaValue) {
        return mix(a, b, valueLanes, valueLanes);
    } else {
        const __m128i w = _mm_srli_epi32(a, 24);
        __m128i r = mix(a, b, weightLanes(_mm_unpacklo_epi32(w, w)), weightLanes(_mm_unpackhi_epi32(w, w)));
        if constexpr (Op == BlendOp::AlphaSkippingTransparent) {
            const __m128i transparent = _mm_cmpeq_epi32(w, _mm_setzero_si128());
            r = _mm_or_si128(_mm_and_si128(transparent, b), _mm_andnot_si128(transparent, r));
        }
        return r;
    }
}

// The AlphaValue weights: (v, v, v, 0) per pixel, or (v, v, v, v) for all bytes.
template <BlendOp Op>
__m128i valueLanesOf(uint8_t value) {
    return Op == BlendOp::AlphaValueAllBytes ? _mm_set1_epi16(value) : weightLanes(_mm_set1_epi32(value));
}

template <BlendOp Op>
void blendRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value) {
    const __m128i valueLanes = valueLanesOf<Op>(value);
    const bool prefetch = threeImages(dest, a, b);
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        if (prefetch) prefetchAhead(a + i), prefetchAhead(b + i);
        for (size_t k = i; k < i + 16; k += 4) store128(dest + k, blend<Op>(load128(a + k), load128(b + k), valueLanes));
    }
    for (; i + 4 <= count; i += 4) store128(dest + i, blend<Op>(load128(a + i), load128(b + i), valueLanes));
    plain::blendRun<Op>(dest + i, a + i, b + i, count - i, value);
}

void keyRun(uint32_t *dest, const uint32_t *source, size_t count, uint32_t key) {
    const __m128i keys = _mm_set1_epi32(int32_t(key));
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = load128(source + i), keyed = _mm_cmpeq_epi32(s, keys);
        store128(dest + i, _mm_or_si128(_mm_and_si128(keyed, load128(dest + i)), _mm_andnot_si128(keyed, s)));
    }
    plain::keyRun(dest + i, source + i, count - i, key);
}

}  // namespace sse2

namespace avx2 {
using namespace x86;

// As the SSE2 mix, eight pixels in two 128-bit halves; the unpacks work within
// each half, and so do the weights.
template <bool AllBytes = false>
ZORBLIT_AVX2 inline __m256i mixHalf(__m256i s16, __m256i d16, __m256i w16) {
    const __m256i laneMask = _mm256_set1_epi64x(AllBytes ? 0x00FF00FF00FF00FF : 0x000000FF00FF00FF);
    const __m256i inverse = _mm256_xor_si256(w16, laneMask);
    return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(s16, w16), _mm256_mullo_epi16(d16, inverse)), 8);
}

template <bool AllBytes = false>
ZORBLIT_AVX2 inline __m256i mix(__m256i s, __m256i d, __m256i wLow, __m256i wHigh) {
    const __m256i zero = _mm256_setzero_si256();
    return _mm256_packus_epi16(mixHalf<AllBytes>(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero), wLow),
                               mixHalf<AllBytes>(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero), wHigh));
}

ZORBLIT_AVX2 inline __m256i averageDown(__m256i a, __m256i b) {
    const __m256i low7 = _mm256_set1_epi8(0x7F);
    return _mm256_add_epi8(_mm256_and_si256(_mm256_srli_epi16(a, 1), low7),
                           _mm256_and_si256(_mm256_srli_epi16(b, 1), low7));
}

// The weight lanes (w, w, w, 0) from each pixel's alpha byte, for the pixels the
// low and the high unpack widen: one byte shuffle each.
ZORBLIT_AVX2 inline __m256i alphaLanesLow(__m256i a) {
    const __m256i pick = _mm256_setr_epi8(3, -1, 3, -1, 3, -1, -1, -1, 7, -1, 7, -1, 7, -1, -1, -1,  //
                                          3, -1, 3, -1, 3, -1, -1, -1, 7, -1, 7, -1, 7, -1, -1, -1);
    return _mm256_shuffle_epi8(a, pick);
}
ZORBLIT_AVX2 inline __m256i alphaLanesHigh(__m256i a) {
    const __m256i pick = _mm256_setr_epi8(11, -1, 11, -1, 11, -1, -1, -1, 15, -1, 15, -1, 15, -1, -1, -1,  //
                                          11, -1, 11, -1, 11, -1, -1, -1, 15, -1, 15, -1, 15, -1, -1, -1);
    return _mm256_shuffle_epi8(a, pick);
}

template <BlendOp Op>
ZORBLIT_AVX2 __m256i blend(__m256i a, __m256i b, __m256i valueLanes) {
    const __m256i opaque = _mm256_set1_epi32(int32_t(0xFF000000u));
    if constexpr (Op == BlendOp::OpaqueAverageDown) {
        return _mm256_or_si256(averageDown(a, b), opaque);
    } else if constexpr (Op == BlendOp::OpaqueSaturatedAdd) {
        return _mm256_or_si256(blend<BlendOp::SaturatedAdd>(a, b, valueLanes), opaque);
    } else if constexpr (Op == BlendOp::OpaqueSaturatedSub) {
        return _mm256_or_si256(blend<BlendOp::SaturatedSub>(a, b, valueLanes), opaque);
    } else if constexpr (Op == BlendOp::OpaqueAlpha) {
        return _mm256_or_si256(blend<BlendOp::Alpha>(a, b, valueLanes), opaque);
    } else if constexpr (Op == BlendOp::AlphaValueAllBytes) {
        return mix<true>(a, b, valueLanes, valueLanes);
    } else if constexpr (Op == BlendOp::Average) {
        return _mm256_avg_epu8(a, b);
    } else if constexpr (Op == BlendOp::SaturatedAdd) {
        return _mm256_adds_epu8(a, b);
    } else if constexpr (Op == BlendOp::SaturatedSub) {
        return _mm256_subs_epu8(a, b);
    } else if constexpr (Op == BlendOp::Invert) {
        return _mm256_xor_si256(a, _mm256_set1_epi32(-1));
    } else if constexpr (Op == BlendOp::AlphaValue) {
        return mix(a, b, valueLanes, valueLanes);
    } else {
        __m256i r = mix(a, b, alphaLanesLow(a), alphaLanesHigh(a));
        if constexpr (Op == BlendOp::AlphaSkippingTransparent) {
            const __m256i alphaMask = _mm256_set1_epi32(int32_t(0xFF000000u));
            const __m256i transparent = _mm256_cmpeq_epi32(_mm256_and_si256(a, alphaMask), _mm256_setzero_si256());
            r = _mm256_blendv_epi8(r, b, transparent);
        }
        return r;
    }
}

// Eight pixels; with the skipping alpha, eight transparent sources give b
// unchanged without the arithmetic (sprites often have wide clear margins).
template <BlendOp Op>
ZORBLIT_AVX2 inline void blendStep(uint32_t *dest, const uint32_t *a, const uint32_t *b, __m256i valueLanes) {
    const __m256i av = load256(a), bv = load256(b);
    if constexpr (Op == BlendOp::AlphaSkippingTransparent) {
        if (_mm256_testz_si256(av, _mm256_set1_epi32(int32_t(0xFF000000u)))) {
            if (dest != b) store256(dest, bv);
            return;
        }
    }
    store256(dest, blend<Op>(av, bv, valueLanes));
}

template <BlendOp Op>
ZORBLIT_AVX2 void blendRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value) {
    const int64_t lanes = Op == BlendOp::AlphaValueAllBytes ? 0x0001000100010001 : 0x0000000100010001;
    const __m256i valueLanes = _mm256_set1_epi64x(int64_t(value) * lanes);
    const bool prefetch = threeImages(dest, a, b);
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        if (prefetch) prefetchAhead(a + i), prefetchAhead(b + i);
        blendStep<Op>(dest + i, a + i, b + i, valueLanes);
        blendStep<Op>(dest + i + 8, a + i + 8, b + i + 8, valueLanes);
    }
    for (; i + 8 <= count; i += 8) blendStep<Op>(dest + i, a + i, b + i, valueLanes);
    sse2::blendRun<Op>(dest + i, a + i, b + i, count - i, value);
}

ZORBLIT_AVX2 void keyRun(uint32_t *dest, const uint32_t *source, size_t count, uint32_t key) {
    const __m256i keys = _mm256_set1_epi32(int32_t(key));
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = load256(source + i);
        store256(dest + i, _mm256_blendv_epi8(s, load256(dest + i), _mm256_cmpeq_epi32(s, keys)));
    }
    sse2::keyRun(dest + i, source + i, count - i, key);
}

}  // namespace avx2
#endif

template <BlendOp Op>
using BlendRunKernel = ZORBLIT_KERNEL(plain::blendRun<Op>, sse2::blendRun<Op>, avx2::blendRun<Op>);
using KeyRunKernel = ZORBLIT_KERNEL(plain::keyRun, sse2::keyRun, avx2::keyRun);

template <BlendOp Op>
void blendRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value) {
    BlendRunKernel<Op>::call(dest, a, b, count, value);
}
template <BlendOp Op>
BlendRunFn blendRunVariant(Level level) {
    return BlendRunKernel<Op>::pick(level);
}

void keyRun(uint32_t *dest, const uint32_t *source, size_t count, uint32_t key) {
    KeyRunKernel::call(dest, source, count, key);
}
KeyRunFn keyRunVariant(Level level) { return KeyRunKernel::pick(level); }

#define ZORBLIT_BLEND_RUN(op)                                                                           \
    template void blendRun<BlendOp::op>(uint32_t *, const uint32_t *, const uint32_t *, size_t, uint8_t); \
    template BlendRunFn blendRunVariant<BlendOp::op>(Level);
ZORBLIT_BLEND_RUN(Average)
ZORBLIT_BLEND_RUN(SaturatedAdd)
ZORBLIT_BLEND_RUN(SaturatedSub)
ZORBLIT_BLEND_RUN(Alpha)
ZORBLIT_BLEND_RUN(AlphaSkippingTransparent)
ZORBLIT_BLEND_RUN(AlphaValue)
ZORBLIT_BLEND_RUN(Invert)
ZORBLIT_BLEND_RUN(OpaqueAverageDown)
ZORBLIT_BLEND_RUN(OpaqueSaturatedAdd)
ZORBLIT_BLEND_RUN(OpaqueSaturatedSub)
ZORBLIT_BLEND_RUN(OpaqueAlpha)
ZORBLIT_BLEND_RUN(AlphaValueAllBytes)
#undef ZORBLIT_BLEND_RUN

}  // namespace zorblit::kernels
