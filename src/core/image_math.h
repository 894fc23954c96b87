// Small helpers shared by both forms: channel packing and pixel addressing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "zorblit.h"

// Whether AddressSanitizer instruments this build; the compilers say so differently.
#if defined(__SANITIZE_ADDRESS__)
#define ZORBLIT_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZORBLIT_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef ZORBLIT_ADDRESS_SANITIZER
#define ZORBLIT_ADDRESS_SANITIZER 0
#endif

namespace zorblit {

constexpr uint32_t packRGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

// Offsets are 64-bit, so images of 2^30 pixels and more address correctly.
inline uint32_t *pixelAddress(const GFXimage &image, uint64_t x, uint64_t y) {
    return image.data + (y * image.width + x);
}

// Negative coordinates are outside, also on images 2^31 pixels and more across,
// and an image without pixels has no inside.
inline bool insideImage(const GFXimage &image, int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && uint32_t(x) < image.width && uint32_t(y) < image.height && image.data;
}

// False for a record with no pixels: data NULL, or width or height 0. Routines
// given such an image return at once.
inline bool hasPixels(const GFXimage &image) { return image.data && image.width && image.height; }

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
// longer to start. Neither is instrumented by AddressSanitizer, so builds under
// it take a plain loop, whose stores it checks.
inline void fillWords(uint32_t *dest, size_t count, uint32_t value) {
    static_assert(sizeof(wchar_t) == sizeof(uint32_t), "wchar_t holds one pixel");
#if ZORBLIT_ADDRESS_SANITIZER
    for (size_t i = 0; i < count; ++i) dest[i] = value;
#else
#if defined(__x86_64__)
    constexpr size_t kStringStoreMin = 4096;
    if (count >= kStringStoreMin) {
        asm volatile("rep stosl" : "+D"(dest), "+c"(count) : "a"(value) : "memory");
        return;
    }
#endif
    std::wmemset(reinterpret_cast<wchar_t *>(dest), wchar_t(value), count);
#endif
}

inline size_t pixelCount(const GFXimage &image) { return size_t(image.width) * image.height; }

// Whether the pixel blocks of two images share memory; a walk that reads pixels
// it may already have written must keep its order then.
inline bool overlaps(const GFXimage &a, const GFXimage &b) {
    const auto start = [](const GFXimage &image) { return reinterpret_cast<uintptr_t>(image.data); };
    const auto end = [&](const GFXimage &image) { return start(image) + pixelCount(image) * sizeof(uint32_t); };
    return start(a) < end(b) && start(b) < end(a);
}

}  // namespace zorblit
