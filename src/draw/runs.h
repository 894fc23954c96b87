// Horizontal and vertical runs, bars and rectangle outlines, written once for both
// forms. Every shape is drawn in one of two modes: Unclipped trusts its
// coordinates; Clipped draws only what lies inside the form's limits (draw_limits.h)
// and nothing at all when the shape lies wholly outside them.
#pragma once
#include <algorithm>
#include <cstdint>

#include "draw/draw_limits.h"

namespace zorblit::draw {

// One run of pixels: long runs take the shared word fill, short ones the form's
// own.
template <class Form>
void fillRun(uint32_t *dest, size_t count, uint32_t color) {
    constexpr size_t kLongRun = 64;
    if (count >= kLongRun)
        fillWords(dest, count, color);
    else
        Form::fill(dest, count, color);
}

// Columns x0..x1 of rows y0..y1, inclusive, ordered and inside the image.
template <class Form>
void fillRect(const GFXimage &image, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t color) {
    const size_t count = size_t(x1 - x0 + 1);
    // Whole rows lie back to back: one run covers them all.
    if (count == image.width) {
        fillRun<Form>(pixelAddress(image, 0, y0), count * size_t(y1 - y0 + 1), color);
        return;
    }
    for (int64_t y = y0; y <= y1; ++y) fillRun<Form>(pixelAddress(image, x0, y), count, color);
}

// Rows y0..y1 of column x, inclusive, ordered and inside the image.
inline void fillColumn(const GFXimage &image, int64_t x, int64_t y0, int64_t y1, uint32_t color) {
    uint32_t *pixel = pixelAddress(image, x, y0);
    for (int64_t y = y0; y <= y1; ++y, pixel += image.width) *pixel = color;
}

// The part of a..b (inclusive, either order) that lies in [limitLo, limitHi), as
// lo..hi inclusive; false when no part does.
inline bool clampSpan(int64_t a, int64_t b, int64_t limitLo, int64_t limitHi, int64_t &lo, int64_t &hi) {
    lo = std::max(std::min(a, b), limitLo);
    hi = std::min(std::max(a, b), limitHi - 1);
    return lo <= hi;
}

template <class Form>
struct Unclipped {
    // Shapes built from pixels and runs only visit what can lie in these boxes.
    static Area pixelWindow(const GFXimage &image) { return drawArea(image); }
    static Area runWindow(const GFXimage &image) { return drawArea(image); }

    static void pixel(const GFXimage &image, int64_t x, int64_t y, uint32_t color) {
        *pixelAddress(image, x, y) = color;
    }
    static void hline(const GFXimage &image, int64_t x1, int64_t x2, int64_t y, uint32_t color) {
        if (hasPixels(image)) fillRect<Form>(image, std::min(x1, x2), y, std::max(x1, x2), y, color);
    }
    static void vline(const GFXimage &image, int64_t y1, int64_t y2, int64_t x, uint32_t color) {
        if (hasPixels(image)) fillColumn(image, x, std::min(y1, y2), std::max(y1, y2), color);
    }
    static void bar(const GFXimage &image, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t color) {
        if (!hasPixels(image) || (!Form::barsOrderRows && y1 > y2)) return;
        fillRect<Form>(image, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), color);
    }
};

template <class Form>
struct Clipped {
    static Area pixelWindow(const GFXimage &image) { return drawLimit<Form>(image, ClippedWrite::Pixel); }
    static Area runWindow(const GFXimage &image) { return drawLimit<Form>(image, ClippedWrite::Run); }

    // Callers pass only positions inside pixelWindow, which fit in 32 bits.
    static void pixel(const GFXimage &image, int64_t x, int64_t y, uint32_t color) {
        Form::putPixelClip(image, int32_t(x), int32_t(y), color);
    }
    static void hline(const GFXimage &image, int64_t x1, int64_t x2, int64_t y, uint32_t color) {
        const Area limit = runWindow(image);
        int64_t lo, hi;
        if (y < limit.y0 || y >= limit.y1 || !clampSpan(x1, x2, limit.x0, limit.x1, lo, hi)) return;
        fillRect<Form>(image, lo, y, hi, y, color);
    }
    static void vline(const GFXimage &image, int64_t y1, int64_t y2, int64_t x, uint32_t color) {
        const Area limit = drawLimit<Form>(image, ClippedWrite::Column);
        int64_t lo, hi;
        if (x < limit.x0 || x >= limit.x1 || !clampSpan(y1, y2, limit.y0, limit.y1, lo, hi)) return;
        fillColumn(image, x, lo, hi, color);
    }
    static void bar(const GFXimage &image, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t color) {
        if (!Form::barsOrderRows && y1 > y2) return;
        const Area limit = runWindow(image);
        int64_t left, right, top, bottom;
        if (!clampSpan(x1, x2, limit.x0, limit.x1, left, right) || !clampSpan(y1, y2, limit.y0, limit.y1, top, bottom))
            return;
        fillRect<Form>(image, left, top, right, bottom, color);
    }
};

// The outline: rows y1 and y2, then columns x1 and x2.
template <class Mode>
void outlineRectangle(const GFXimage &image, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t color) {
    Mode::hline(image, x1, x2, y1, color);
    Mode::hline(image, x1, x2, y2, color);
    Mode::vline(image, y1, y2, x1, color);
    Mode::vline(image, y1, y2, x2, color);
}

}  // namespace zorblit::draw
