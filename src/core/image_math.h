// Small helpers shared by both forms: channel packing and pixel addressing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>

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

// Sets count pixels to value. Runs go to the C library's 32-bit wide-character
// fill (a wchar_t is one pixel here), which stores 32 bytes at a time where the
// processor has them. From 16 KB on, x86-64's string store is about a fifth
// faster: it writes whole cache lines without reading them first, but takes
// longer to start. The sanitizer build keeps the C library fill, whose stores
// it checks.
inline void fillWords(uint32_t *dest, size_t count, uint32_t value) {
    static_assert(sizeof(wchar_t) == sizeof(uint32_t), "wchar_t holds one pixel");
#if defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
    constexpr size_t kStringStoreMin = 4096;
    if (count >= kStringStoreMin) {
        asm volatile("rep stosl" : "+D"(dest), "+c"(count) : "a"(value) : "memory");
        return;
    }
#endif
    std::wmemset(reinterpret_cast<wchar_t *>(dest), wchar_t(value), count);
}

inline size_t pixelCount(const GFXimage &image) { return size_t(image.width) * image.height; }

}  // namespace zorblit
