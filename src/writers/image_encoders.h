// Whole files in memory: PNG, BMP and QOI encodings of an image. Each returns
// false (out unspecified) for an image without pixels or one the format cannot
// hold; it throws only what the vector's allocation throws.
#pragma once
#include <cstdint>
#include <vector>

#include "writers/deflate.h"
#include "zorblit.h"

namespace zorblit {

// 8-bit RGB, or RGBA with keepAlpha; not interlaced.
bool encodePng(GFXimage image, bool keepAlpha, DeflateLevel level, std::vector<uint8_t> &file);
// Bottom-up rows: 24 bits per pixel, or 32 with an alpha mask with keepAlpha.
bool encodeBmp(GFXimage image, bool keepAlpha, std::vector<uint8_t> &file);
// 3 channels, or 4 with keepAlpha.
bool encodeQoi(GFXimage image, bool keepAlpha, std::vector<uint8_t> &file);

// The pixel's bytes in file order: red, green, blue and, with alpha, alpha.
inline void pixelBytes(const uint32_t *pixels, size_t count, bool alpha, uint8_t *out) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t c = pixels[i];
        out[0] = uint8_t(c >> 16), out[1] = uint8_t(c >> 8), out[2] = uint8_t(c);
        if (alpha) out[3] = uint8_t(c >> 24);
        out += alpha ? 4 : 3;
    }
}

// Big- and little-endian 32-bit values appended to a file.
inline void appendBig32(std::vector<uint8_t> &file, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) file.push_back(uint8_t(value >> shift));
}
inline void appendLittle(std::vector<uint8_t> &file, uint32_t value, unsigned bytes) {
    for (unsigned i = 0; i < bytes; ++i) file.push_back(uint8_t(value >> (8 * i)));
}

}  // namespace zorblit
