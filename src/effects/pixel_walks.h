// Whole images pixel by pixel, row by row: the fades and the portable form's
// combinations (the packed ones run the whole image as one blend run).
#pragma once
#include "core/form_packed.h"

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

}  // namespace zorblit
