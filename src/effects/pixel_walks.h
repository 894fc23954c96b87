// The two ways the whole-image routines visit pixels.
#pragma once
#include <cstring>

#include "core/image_math.h"

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

// One pass over count pixels, two at a time as 64-bit words, then the odd last
// one. op works on whole words and must keep bytes apart (no carries between
// them), so a single pixel is the low half of a word. dest may be a or b.
template <class PairOp>
void linearRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, PairOp op) {
    size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        uint64_t x, y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        const uint64_t result = op(x, y);
        std::memcpy(dest + i, &result, sizeof result);
    }
    if (i < count) dest[i] = uint32_t(op(uint64_t(a[i]), uint64_t(b[i])));
}

}  // namespace zorblit
