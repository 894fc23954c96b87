// YCbCr to opaque 0xAARRGGBB pixels in 8-bit fixed point:
// R = Y + 1.402 Cr, G = Y - 0.344 Cb - 0.714 Cr, B = Y + 1.772 Cb (Cb, Cr centred on 128),
// each (Y * 256 + k * chroma + 128) >> 8, which equals Y + ((k * chroma + 128) >> 8)
// as Y * 256 is a whole multiple of 256.
#pragma once
#include <algorithm>
#include <cstdint>

namespace zorblit::jpeg {

constexpr uint32_t kOpaque = 0xFF000000u;

struct ChromaOffsets {
    int32_t red, green, blue;
};

// The multipliers split as 359 = 256 + 103, -183 = -256 + 73, 454 = 512 - 58, so
// every intermediate fits in 16 bits (which lets the compiler work on eight
// pixels at a time); the results are exactly those of the formulas above.
[[gnu::always_inline]] inline ChromaOffsets chromaOffsets(uint8_t cb, uint8_t cr) {
    const int32_t blue = cb - 128, red = cr - 128;
    return {red + ((103 * red + 128) >> 8), -red + ((73 * red - 88 * blue + 128) >> 8),
            2 * blue + ((128 - 58 * blue) >> 8)};
}

[[gnu::always_inline]] inline uint32_t clampChannel(int32_t value) { return uint32_t(std::clamp(value, 0, 255)); }

[[gnu::always_inline]] inline uint32_t toPixel(uint8_t y, ChromaOffsets chroma) {
    return kOpaque | clampChannel(y + chroma.red) << 16 | clampChannel(y + chroma.green) << 8 |
           clampChannel(y + chroma.blue);
}

[[gnu::always_inline]] inline uint32_t ycbcrToPixel(uint8_t y, uint8_t cb, uint8_t cr) { return toPixel(y, chromaOffsets(cb, cr)); }

// One row of pixels from full-width Y, Cb, Cr rows. Always inlined, so that the
// colour-conversion kernel builds them for each level.
[[gnu::always_inline]] inline void convertRow(const uint8_t *y, const uint8_t *cb, const uint8_t *cr, uint32_t *out, uint32_t width) {
    for (uint32_t x = 0; x < width; ++x) out[x] = ycbcrToPixel(y[x], cb[x], cr[x]);
}

[[gnu::always_inline]] inline void convertGreyRow(const uint8_t *grey, uint32_t *out, uint32_t width) {
    for (uint32_t x = 0; x < width; ++x) out[x] = kOpaque | grey[x] * 0x010101u;
}

}  // namespace zorblit::jpeg
