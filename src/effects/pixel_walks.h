// The two ways the whole-image routines visit pixels.
#pragma once
#include <cstring>

#include "core/image_math.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zorblit {

// Rows then columns over a's width and height; dest, a and b are each addressed
// with their own width, so they must be at least as large as a. op(aPixel, bPixel)
// gives the dest pixel.
template <class Op>
void rowWalk(const GFXimage &dest, const GFXimage &a, const GFXimage &b, Op op) {
    for (uint32_t y = 0; y < a.height; ++y)
        for (uint32_t x = 0; x < a.width; ++x)
            *pixelAddress(dest, x, y) = op(*pixelAddress(a, x, y), *pixelAddress(b, x, y));
}

// One pass over count pixels for a combination that keeps bytes apart (no
// carries between them): four pixels per step where SSE2 is available, then two
// as a 64-bit word, then the odd last one as the low half of a word. dest may be
// a or b.
template <class Combination>
void linearRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count) {
    size_t i = 0;
#if defined(__SSE2__)
    const auto load = [](const uint32_t *p) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p)); };
    for (; i + 4 <= count; i += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dest + i), Combination::quad(load(a + i), load(b + i)));
#endif
    for (; i + 2 <= count; i += 2) {
        uint64_t x, y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        const uint64_t result = Combination::pair(x, y);
        std::memcpy(dest + i, &result, sizeof result);
    }
    if (i < count) dest[i] = uint32_t(Combination::pair(a[i], b[i]));
}

}  // namespace zorblit
