// Source indices of one row of a rotated run: where each destination pixel
// samples the source, in the form's float arithmetic (Form::rotatedSample).
#pragma once
#include <cstdint>

#include "kernels/level.h"
#include "core/form_rules.h"

namespace zorblit::kernels {

// A source under 2^15 pixels a side, and the turn about its centre (cx, cy).
struct SampleGrid {
    InverseTurn turn;
    float cx, cy;
    int32_t width, height;
};

using SourceIndicesFn = void (*)(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid);

// indices[k] for the pixel at (fx0 + k, fy) from the centre: row * width +
// column of its sample, or -1 where that lies outside the source. Every
// coordinate and sample lies far below 2^22.
template <class Form>
void sourceIndices(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid);

template <class Form>
SourceIndicesFn sourceIndicesVariant(Level level);

}  // namespace zorblit::kernels
