// Sampling a source along a straight walk in 16.16 fixed point: one row of a
// roto-zoom.
#pragma once
#include <cstdint>

#include "kernels/level.h"
#include "zorblit.h"

namespace zorblit::kernels {

using SampleAlongFn = void (*)(uint32_t *out, int64_t count, int64_t u, int64_t v, int64_t du, int64_t dv,
                               const GFXimage &source);

// out[x] = source pixel (u + x * du >> 16, v + x * dv >> 16) for x < count;
// every position lies inside the source.
void sampleAlong(uint32_t *out, int64_t count, int64_t u, int64_t v, int64_t du, int64_t dv, const GFXimage &source);

SampleAlongFn sampleAlongVariant(Level level);

}  // namespace zorblit::kernels
