// Whole images row by row: pixel by pixel for the fades, as blend runs for the
// combinations.
#pragma once
#include "core/form.h"
#include "kernels/blend_run.h"

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

// Each of a's rows as one run of the form's operator Op: dest, a and b are each
// addressed with their own width, as above, and nothing happens when any of the
// three has no pixels.
template <class Form, BlendOp Op>
void rowRuns(const GFXimage &dest, const GFXimage &a, const GFXimage &b, uint8_t value = 0) {
    if (!hasPixels(dest) || !hasPixels(a) || !hasPixels(b)) return;
    for (uint32_t y = 0; y < a.height; ++y)
        kernels::blendRun<Form::runOperator(Op)>(pixelAddress(dest, 0, y), pixelAddress(a, 0, y), pixelAddress(b, 0, y), a.width,
                                    value);
}

}  // namespace zorblit
