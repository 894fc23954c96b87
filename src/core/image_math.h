// Small helpers shared by both forms: channel packing and pixel addressing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "zorblit.h"

namespace zorblit {

constexpr uint32_t packRGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

// Offsets are 64-bit, so images of 2^30 pixels and more address correctly.
inline uint32_t *pixelAddress(const GFXimage &image, uint64_t x, uint64_t y) {
    return image.data + (y * image.width + x);
}

inline bool insideImage(const GFXimage &image, int32_t x, int32_t y) {
    return uint32_t(x) < image.width && uint32_t(y) < image.height;
}

inline bool insideClipRectangle(int32_t x, int32_t y) {
    return x >= clipX1 && y >= clipY1 && x < clipX2 && y < clipY2;
}

// Copies count pixels; the regions may overlap.
inline void moveWords(const uint32_t *source, uint32_t *dest, size_t count) {
    if (count) std::memmove(dest, source, count * sizeof(uint32_t));
}

inline size_t pixelCount(const GFXimage &image) { return size_t(image.width) * image.height; }

}  // namespace zorblit
