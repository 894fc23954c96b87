// The JPEG decoder's last step: full-width component rows to 32-bit pixels.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kernels/level.h"

namespace zorblit::kernels {

using PixelRowFn = void (*)(const uint8_t *const rows[3], size_t components, uint32_t *out, uint32_t width);

// One row of opaque pixels from one grey row or from Y, Cb and Cr rows
// (components 1 or 3), by the conversions of kernels/jpeg_color.h.
void pixelRow(const uint8_t *const rows[3], size_t components, uint32_t *out, uint32_t width);

PixelRowFn pixelRowVariant(Level level);

}  // namespace zorblit::kernels
