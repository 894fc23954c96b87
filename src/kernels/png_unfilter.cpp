// The filters with the byte distance as a compile-time constant, so each
// pixel's bytes are handled in straight-line code. The scalar loops follow one
// dependency chain per byte; the SSE2 variant takes a whole pixel of 3 to 8
// bytes per step (Average and Paeth in 16-bit lanes, Sub in bytes), so a row
// costs one chain per pixel.
#include "kernels/png_unfilter.h"

#include <cstring>

#include "kernels/dispatch.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace {

enum Filter : uint8_t { none = 0, sub = 1, up = 2, average = 3, paeth = 4 };

// The Paeth predictor: left when nearest or tied, else up unless upper-left is
// strictly nearer.
inline uint8_t paethPredictor(int left, int up, int upLeft) {
    const int toLeft = up > upLeft ? up - upLeft : upLeft - up;
    const int toUp = left > upLeft ? left - upLeft : upLeft - left;
    const int sum = left + up - 2 * upLeft;
    const int toUpLeft = sum < 0 ? -sum : sum;
    if (toLeft <= toUp && toLeft <= toUpLeft) return uint8_t(left);
    return toUp <= toUpLeft ? uint8_t(up) : uint8_t(upLeft);
}

}  // namespace

namespace plain {
namespace {

void undoUp(uint8_t *row, const uint8_t *above, size_t size) {
    for (size_t i = 0; i < size; ++i) row[i] = uint8_t(row[i] + above[i]);
}

// Sub, Average and Paeth reconstruct the row from byte `from` on (0 or a
// multiple of Step), the bytes before it done already.
template <unsigned Step>
void undoSub(uint8_t *row, size_t size, size_t from) {
    for (size_t i = from < Step ? Step : from; i < size; ++i) row[i] = uint8_t(row[i] + row[i - Step]);
}

template <unsigned Step>
void undoAverage(uint8_t *row, const uint8_t *above, size_t size, size_t from) {
    const size_t head = size < Step ? size : Step;
    for (size_t i = from; i < head; ++i) row[i] = uint8_t(row[i] + (above[i] >> 1));
    for (size_t i = from < Step ? Step : from; i < size; ++i)
        row[i] = uint8_t(row[i] + ((row[i - Step] + above[i]) >> 1));
}

template <unsigned Step>
void undoPaeth(uint8_t *row, const uint8_t *above, size_t size, size_t from) {
    // With nothing to the left, the predictor is the byte above.
    const size_t head = size < Step ? size : Step;
    for (size_t i = from; i < head; ++i) row[i] = uint8_t(row[i] + above[i]);
    for (size_t i = from < Step ? Step : from; i < size; i += Step)
        for (unsigned k = 0; k < Step; ++k)
            row[i + k] = uint8_t(row[i + k] + paethPredictor(row[i + k - Step], above[i + k], above[i + k - Step]));
}

template <unsigned Step>
void unfilter(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size) {
    switch (filterType) {
        case sub: undoSub<Step>(row, size, 0); break;
        case up: undoUp(row, above, size); break;
        case average: undoAverage<Step>(row, above, size, 0); break;
        case paeth: undoPaeth<Step>(row, above, size, 0); break;
        default: break;
    }
}

}  // namespace

void unfilterRow(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size, unsigned step) {
    switch (step) {
        case 1: unfilter<1>(filterType, row, above, size); break;
        case 2: unfilter<2>(filterType, row, above, size); break;
        case 3: unfilter<3>(filterType, row, above, size); break;
        case 4: unfilter<4>(filterType, row, above, size); break;
        case 6: unfilter<6>(filterType, row, above, size); break;
        default: unfilter<8>(filterType, row, above, size); break;
    }
}

}  // namespace plain

#if defined(__x86_64__)
namespace sse2 {
namespace {

// One pixel of Step bytes in the low bytes of a vector. A load or store covers
// Width bytes: the pixel and, for 3 and 6, the next pixel's first bytes, which a
// store writes back unchanged.
template <unsigned Step>
struct Pixel {
    static constexpr size_t width = Step <= 4 ? 4 : 8;
    static __m128i load(const uint8_t *p) {
        if constexpr (width == 4) {
            int32_t v;
            std::memcpy(&v, p, 4);
            return _mm_cvtsi32_si128(v);
        } else {
            return _mm_loadl_epi64(reinterpret_cast<const __m128i *>(p));
        }
    }
    static void store(uint8_t *p, __m128i v) {
        if constexpr (width == 4) {
            const int32_t bytes = _mm_cvtsi128_si32(v);
            std::memcpy(p, &bytes, 4);
        } else {
            _mm_storel_epi64(reinterpret_cast<__m128i *>(p), v);
        }
    }
    // All ones in the pixel's byte lanes or 16-bit lanes.
    static __m128i byteLanes() {
        return _mm_srli_si128(_mm_set1_epi8(-1), 16 - Step);
    }
    static __m128i wordLanes() { return _mm_unpacklo_epi8(byteLanes(), byteLanes()); }
};

__m128i widen(__m128i bytes) { return _mm_unpacklo_epi8(bytes, _mm_setzero_si128()); }
__m128i narrow(__m128i words) { return _mm_packus_epi16(words, words); }
__m128i absolute(__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v)); }
__m128i select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

template <unsigned Step>
void undoSub(uint8_t *row, size_t size) {
    using P = Pixel<Step>;
    const __m128i lanes = P::byteLanes();
    __m128i left = _mm_setzero_si128();
    size_t i = 0;
    for (; i + P::width <= size; i += Step) {
        left = _mm_add_epi8(P::load(row + i), _mm_and_si128(left, lanes));
        P::store(row + i, left);
    }
    plain::undoSub<Step>(row, size, i);
}

template <unsigned Step>
void undoAverage(uint8_t *row, const uint8_t *above, size_t size) {
    using P = Pixel<Step>;
    const __m128i lanes = P::wordLanes(), low = _mm_set1_epi16(0xFF);
    __m128i left = _mm_setzero_si128();
    size_t i = 0;
    for (; i + P::width <= size; i += Step) {
        const __m128i predicted = _mm_and_si128(_mm_srli_epi16(_mm_add_epi16(left, widen(P::load(above + i))), 1), lanes);
        left = _mm_and_si128(_mm_add_epi16(widen(P::load(row + i)), predicted), low);
        P::store(row + i, narrow(left));
    }
    plain::undoAverage<Step>(row, above, size, i);
}

template <unsigned Step>
void undoPaeth(uint8_t *row, const uint8_t *above, size_t size) {
    using P = Pixel<Step>;
    const __m128i lanes = P::wordLanes(), low = _mm_set1_epi16(0xFF);
    __m128i left = _mm_setzero_si128(), upLeft = _mm_setzero_si128();
    size_t i = 0;
    for (; i + P::width <= size; i += Step) {
        const __m128i up = widen(P::load(above + i));
        const __m128i fromLeft = _mm_sub_epi16(left, upLeft), fromUp = _mm_sub_epi16(up, upLeft);
        const __m128i toLeft = absolute(fromUp), toUp = absolute(fromLeft);
        const __m128i toUpLeft = absolute(_mm_add_epi16(fromLeft, fromUp));
        const __m128i nearest = _mm_min_epi16(_mm_min_epi16(toLeft, toUp), toUpLeft);
        __m128i predicted = select(_mm_cmpeq_epi16(toUp, nearest), up, upLeft);
        predicted = _mm_and_si128(select(_mm_cmpeq_epi16(toLeft, nearest), left, predicted), lanes);
        left = _mm_and_si128(_mm_add_epi16(widen(P::load(row + i)), predicted), low);
        P::store(row + i, narrow(left));
        upLeft = up;
    }
    plain::undoPaeth<Step>(row, above, size, i);
}

template <unsigned Step>
void unfilter(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size) {
    switch (filterType) {
        case sub: undoSub<Step>(row, size); break;
        case average: undoAverage<Step>(row, above, size); break;
        case paeth: undoPaeth<Step>(row, above, size); break;
        default: plain::unfilter<Step>(filterType, row, above, size); break;
    }
}

}  // namespace

void unfilterRow(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size, unsigned step) {
    switch (step) {
        case 3: unfilter<3>(filterType, row, above, size); break;
        case 4: unfilter<4>(filterType, row, above, size); break;
        case 6: unfilter<6>(filterType, row, above, size); break;
        case 8: unfilter<8>(filterType, row, above, size); break;
        default: plain::unfilterRow(filterType, row, above, size, step); break;
    }
}

}  // namespace sse2
#endif

// Wider vectors do not shorten the chain from one pixel to the next.
using UnfilterRowKernel = ZORBLIT_KERNEL(plain::unfilterRow, sse2::unfilterRow);

void unfilterRow(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size, unsigned step) {
    UnfilterRowKernel::call(filterType, row, above, size, step);
}
UnfilterRowFn unfilterRowVariant(Level level) { return UnfilterRowKernel::pick(level); }

}  // namespace zorblit::kernels
