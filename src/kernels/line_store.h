// Stores of one colour along a stretch of a line: pixel i at
// (round(x + i * dx), round(y + i * dy)), rounded to nearest with ties to even,
// where every such value is exact in float (a stretch of a float walk).
#pragma once
#include <cstdint>

#include "kernels/level.h"
#include "zorblit.h"

namespace zorblit::kernels {

struct LineStretch {
    float x, dx, y, dy;
};

using StoreAlongFn = void (*)(const GFXimage &image, const LineStretch &stretch, uint64_t count, uint32_t color);

// The first count pixels of the stretch, every one inside the image.
void storeAlong(const GFXimage &image, const LineStretch &stretch, uint64_t count, uint32_t color);

StoreAlongFn storeAlongVariant(Level level);

}  // namespace zorblit::kernels
