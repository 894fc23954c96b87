// Plain reference drawings for the drawing tests: each walks its shape step by
// step as described for the routine, with no skipping and no fast path, and hands
// every pixel to put(x, y).
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <utility>

#include "core/form.h"

namespace zorblit::test {

using Pixels = std::set<std::pair<int64_t, int64_t>>;

// Pixels of an image that differ from `background`.
inline Pixels pixelsSet(const GFXimage &image, uint32_t background = 0) {
    Pixels set;
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x)
            if (image.data[size_t(y) * image.width + x] != background) set.insert({x, y});
    return set;
}

// A row from a to b, either order. Positions far beyond any test image are left
// out, since no writer would touch them.
template <class Put>
void referenceRun(int64_t a, int64_t b, int64_t y, Put put) {
    for (int64_t x = std::max<int64_t>(std::min(a, b), -4); x <= std::min<int64_t>(std::max(a, b), 1 << 16); ++x)
        put(x, y);
}

// The stepped line, its pixels kept inside the box of the end points.
template <class Put>
void referenceLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, Put put) {
    if (y1 == y2) {
        referenceRun(x1, x2, y1, put);
        return;
    }
    if (x1 == x2) {
        for (int64_t y = std::max<int64_t>(std::min(y1, y2), -4); y <= std::min<int64_t>(std::max(y1, y2), 1 << 16); ++y)
            put(x1, y);
        return;
    }
    const int64_t ax = std::abs(x2 - x1), ay = std::abs(y2 - y1);
    const float n = float(ax + ay);
    const float sx = float(ax) / n, sy = float(ay) / n;
    float fx = float(x1), fy = float(y1);
    const int64_t count = std::llrint(n);
    for (int64_t k = 0; k <= count; ++k) {
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
    int64_t x = 0, y = -radius, d = 1 - radius;
    while (x <= -y) {
        point(cx + x, cy + y), point(cx - x, cy + y), point(cx + x, cy - y), point(cx - x, cy - y);
        point(cx + y, cy + x), point(cx - y, cy + x), point(cx + y, cy - x), point(cx - y, cy - x);
        run(cx - x, cx + x, cy + y), run(cx - x, cx + x, cy - y);
        run(cx - y, cx + y, cy + x), run(cx - y, cx + y, cy - x);
        if (d > 0) {
            d += 2 * y + 2;
            ++y;
        }
        d += 2 * x + 3;
        ++x;
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
    float h = cy - ay;
    if (h == 0) h = 1;
    volatile float product = (cx - ax) * ((by - ay) / h);
    const float mx = product + ax;
    auto clampX = [&](float v) { return std::clamp<int64_t>(std::llrint(v), left, right); };

    h = by - ay;
    if (h == 0) h = 1;
    float sl = (ax - bx) / h, sr = (mx - ax) / h, l = ax, r = ax;
    for (int64_t y = std::llrint(ay); y < std::llrint(by); ++y) {
        l -= sl;
        r += sr;
        run(clampX(l), clampX(r), y);
    }
    l = bx, r = mx;
    h = cy - by;
    if (h == 0) h = 1;
    sl = (cx - bx) / h, sr = (cx - mx) / h;
    for (int64_t y = std::llrint(by); y < std::llrint(cy); ++y) {
        l += sl;
        r += sr;
        run(clampX(l), clampX(r), y);
    }
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
