// Filled triangles: corners sorted by y, the upper and the lower part filled row
// by row between two single-precision edge accumulators that advance before each
// row is drawn. Each run is kept inside the box of the three corners.
#pragma once
#include <algorithm>
#include <cstdint>

#include "draw/float_walk.h"
#include "draw/runs.h"

namespace zorblit::draw {

// Rounds a product on its own, so that it is never fused with the addition that
// follows into one multiply-add, which would round differently.
inline float separateProduct(float a, float b) {
    volatile float product = a * b;
    return product;
}

// Calls run(y, x1, x2) for every row of the triangle that lies in [top, bottom).
// Rows outside it are skipped without walking them one by one.
template <class Run>
void traceTriangle(Point p1, Point p2, Point p3, int64_t top, int64_t bottom, Run run) {
    const int64_t left = std::min({p1.x, p2.x, p3.x}), right = std::max({p1.x, p2.x, p3.x});
    top = std::max(top, std::min({p1.y, p2.y, p3.y}));
    bottom = std::min(bottom, std::max({p1.y, p2.y, p3.y}) + 1);

    struct Corner {
        float x, y;
    };
    Corner a{float(p1.x), float(p1.y)}, b{float(p2.x), float(p2.y)}, c{float(p3.x), float(p3.y)};
    if (a.y > b.y) std::swap(a, b);
    if (a.y > c.y) std::swap(a, c);
    if (b.y > c.y) std::swap(b, c);
    auto height = [](float from, float to) { return to - from == 0.0f ? 1.0f : to - from; };
    // Where the long edge a-c crosses the height of b.
    const float middleX = separateProduct(c.x - a.x, (b.y - a.y) / height(a.y, c.y)) + a.x;

    // Rows round(fromY)..round(toY) - 1, the edges stepped before each row.
    auto part = [&](float fromY, float toY, FloatWalk leftEdge, FloatWalk rightEdge) {
        const int64_t first = roundToEven(fromY);
        const int64_t from = std::max(first, top), to = std::min<int64_t>(roundToEven(toY), bottom);
        if (from >= to) return;
        leftEdge.skip(uint64_t(from - first));
        rightEdge.skip(uint64_t(from - first));
        for (int64_t y = from; y < to; ++y) {
            leftEdge.step();
            rightEdge.step();
            run(y, std::clamp<int64_t>(roundToEven(leftEdge.value()), left, right),
                std::clamp<int64_t>(roundToEven(rightEdge.value()), left, right));
        }
    };
    const float upper = height(a.y, b.y), lower = height(b.y, c.y);
    part(a.y, b.y, FloatWalk(a.x, -((a.x - b.x) / upper)), FloatWalk(a.x, (middleX - a.x) / upper));
    part(b.y, c.y, FloatWalk(b.x, (c.x - b.x) / lower), FloatWalk(middleX, (c.x - middleX) / lower));
}

template <class Mode>
void drawFilledTriangle(const GFXimage &image, Point p1, Point p2, Point p3, uint32_t color) {
    const Area window = Mode::runWindow(image);
    traceTriangle(p1, p2, p3, window.y0, window.y1,
                  [&](int64_t y, int64_t x1, int64_t x2) { Mode::hline(image, x1, x2, y, color); });
}

}  // namespace zorblit::draw
