// Plain reference drawings: each walks its shape step by step, with no skipping
// and no fast path, and hands every pixel to put(x, y).
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "core/form.h"

namespace zorblit::test {

// How many pixels of an image differ from 0.
inline size_t inked(const GFXimage &image) {
    const uint32_t *begin = image.data, *end = begin + size_t(image.width) * image.height;
    return size_t(end - begin - std::count(begin, end, 0u));
}

// The image as rows of '#' (drawn) and '.' (0), each row ended by '|'.
inline std::string picture(const GFXimage &image) {
    std::string text;
    for (uint32_t y = 0; y < image.height; ++y, text += '|')
        for (uint32_t x = 0; x < image.width; ++x) text += image.data[size_t(y) * image.width + x] ? '#' : '.';
    return text;
}

// A row from a to b, either order, cut to the positions a test image can have.
template <class Put>
void referenceRun(int64_t a, int64_t b, int64_t y, Put put) {
    for (int64_t x = std::max<int64_t>(std::min(a, b), -4); x <= std::min<int64_t>(std::max(a, b), 64); ++x) put(x, y);
}

// The stepped line, its pixels kept inside the box of the end points.
template <class Put>
void referenceLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, Put put) {
    const int64_t ax = std::abs(x2 - x1), ay = std::abs(y2 - y1);
    const float n = float(ax + ay), sx = float(ax) / n, sy = float(ay) / n;
    float fx = float(x1), fy = float(y1);
    for (int64_t k = 0; k <= std::llrint(n); ++k) {
        put(std::clamp<int64_t>(std::llrint(fx), std::min(x1, x2), std::max(x1, x2)),
            std::clamp<int64_t>(std::llrint(fy), std::min(y1, y2), std::max(y1, y2)));
        fx = x2 > x1 ? fx + sx : fx - sx;
        fy = y2 > y1 ? fy + sy : fy - sy;
    }
}

// The midpoint loop: point(x, y) for the eight symmetric points of every step, or
// run(x1, x2, y) for its four runs.
template <class Point, class Run>
void referenceCircle(int64_t cx, int64_t cy, int64_t radius, Point point, Run run) {
    for (int64_t x = 0, y = -radius, d = 1 - radius; x <= -y; d += 2 * x + 3, ++x) {
        for (const auto &[px, py] : {std::pair{x, y}, {-x, y}, {x, -y}, {-x, -y}, {y, x}, {-y, x}, {y, -x}, {-y, -x}})
            point(cx + px, cy + py);
        run(cx - x, cx + x, cy + y), run(cx - x, cx + x, cy - y);
        run(cx - y, cx + y, cy + x), run(cx - y, cx + y, cy - x);
        if (d > 0) d += 2 * y + 2, ++y;
    }
}

// The filled triangle row by row, each run kept inside the box of the corners.
template <class Run>
void referenceTriangle(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3, Run run) {
    const int64_t left = std::min({x1, x2, x3}), right = std::max({x1, x2, x3});
    float ax = float(x1), ay = float(y1), bx = float(x2), by = float(y2), cx = float(x3), cy = float(y3);
    if (ay > by) std::swap(ax, bx), std::swap(ay, by);
    if (ay > cy) std::swap(ax, cx), std::swap(ay, cy);
    if (by > cy) std::swap(bx, cx), std::swap(by, cy);
    const auto height = [](float h) { return h == 0 ? 1.0f : h; };
    volatile float product = (cx - ax) * ((by - ay) / height(cy - ay));
    const float mx = product + ax;
    const auto half = [&](float l, float r, float sl, float sr, float top, float bottom) {
        for (int64_t y = std::llrint(top); y < std::llrint(bottom); ++y) {
            l += sl, r += sr;
            run(std::clamp<int64_t>(std::llrint(l), left, right), std::clamp<int64_t>(std::llrint(r), left, right), y);
        }
    };
    half(ax, ax, -(ax - bx) / height(by - ay), (mx - ax) / height(by - ay), ay, by);
    half(bx, mx, (cx - bx) / height(cy - by), (cx - mx) / height(cy - by), by, cy);
}

// A pixel writer through the clipped writer of Form; positions beyond 32 bits are
// outside every image.
template <class Form>
auto clippedWriter(const GFXimage &image, uint32_t color) {
    return [image, color](int64_t x, int64_t y) {
        if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX)
            Form::putPixelClip(image, int32_t(x), int32_t(y), color);
    };
}

}  // namespace zorblit::test
