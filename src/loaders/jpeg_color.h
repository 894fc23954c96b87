// YCbCr to opaque 0xAARRGGBB pixels in 8-bit fixed point:
// R = Y + 1.402 Cr, G = Y - 0.344 Cb - 0.714 Cr, B = Y + 1.772 Cb (Cb, Cr centred on 128).
#pragma once
#include <algorithm>
#include <cstdint>

namespace zorblit::jpeg {

constexpr uint32_t kOpaque = 0xFF000000u;

inline uint32_t clampChannel(int32_t value) { return uint32_t(std::clamp(value, 0, 255)); }

inline uint32_t ycbcrToPixel(uint8_t y, uint8_t cb, uint8_t cr) {
    const int32_t luma = y << 8, blue = cb - 128, red = cr - 128;
    const uint32_t r = clampChannel((luma + 359 * red + 128) >> 8);
    const uint32_t g = clampChannel((luma - 88 * blue - 183 * red + 128) >> 8);
    const uint32_t b = clampChannel((luma + 454 * blue + 128) >> 8);
    return kOpaque | r << 16 | g << 8 | b;
}

// One row of pixels from full-width Y, Cb, Cr rows.
inline void convertRow(const uint8_t *y, const uint8_t *cb, const uint8_t *cr, uint32_t *out, uint32_t width) {
    for (uint32_t x = 0; x < width; ++x) out[x] = ycbcrToPixel(y[x], cb[x], cr[x]);
}

inline void convertGreyRow(const uint8_t *grey, uint32_t *out, uint32_t width) {
    for (uint32_t x = 0; x < width; ++x) out[x] = kOpaque | grey[x] * 0x010101u;
}

}  // namespace zorblit::jpeg
