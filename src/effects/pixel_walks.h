// The two ways the whole-image routines visit pixels.
#pragma once
#include "core/form_packed.h"

namespace zorblit {

// Rows then columns over a's width and height; dest, a and b are each addressed
// with their own width, so they must be at least as large as a. op(aPixel, bPixel)
// gives the dest pixel. Nothing happens when any of the three has no pixels.
template <class Op>
void rowWalk(const GFXimage &dest, const GFXimage &a, const GFXimage &b, Op op) {
    if (!hasPixels(dest) || !hasPixels(a) || !hasPixels(b)) return;
    for (uint32_t y = 0; y < a.height; ++y)
        for (uint32_t x = 0; x < a.width; ++x)
            *pixelAddress(dest, x, y) = op(*pixelAddress(a, x, y), *pixelAddress(b, x, y));
}

// One pass over count pixels as a single run of the packed operator Op: the
// core's vector run does what it can, op (the same operator on one pixel) the
// rest. dest may be a or b.
template <BlendOp Op, class PixelOp>
void linearRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, PixelOp op) {
    size_t i = Packed::vectorRun<Op>(dest, a, b, count);
    for (; i < count; ++i) dest[i] = op(a[i], b[i]);
}

}  // namespace zorblit
