// Circle outlines and filled circles, row by row from the closed form of the
// midpoint loop (circle_profile.h). The outline holds exactly the points the loop
// emits; the filled circle, per row, the union of the runs it draws.
#pragma once
#include <algorithm>
#include <cstdint>

#include "draw/circle_profile.h"
#include "draw/runs.h"

namespace zorblit::draw {

template <class Mode>
void drawCircle(const GFXimage &image, int64_t cx, int64_t cy, uint64_t radius, uint32_t color) {
    const CircleProfile circle(radius);
    const Area window = Mode::pixelWindow(image);
    auto plot = [&](int64_t x, int64_t y) {
        if (window.contains(x, y)) Mode::pixel(image, x, y, color);
    };
    // Columns cx + from..cx + to of row y, kept to the window.
    auto plotRun = [&](int64_t from, int64_t to, int64_t y) {
        int64_t lo, hi;
        if (clampSpan(from, to, window.x0, window.x1, lo, hi))
            for (int64_t x = lo; x <= hi; ++x) Mode::pixel(image, x, y, color);
    };
    forEachCircleRow(cy, circle.radius(), window.y0, window.y1, [&](int64_t y, int64_t k) {
        // The loop's points (cx +- y, cy +- x) at column x = k ...
        if (k <= circle.lastColumn()) {
            const int64_t offset = circle.rowAt(k);
            plot(cx - offset, y);
            plot(cx + offset, y);
        }
        // ... and its points (cx +- x, cy +- y) for every column x whose row is k.
        if (k >= circle.lowestRow()) {
            const int64_t first = circle.firstColumnOn(k), last = circle.lastColumnOn(k);
            plotRun(cx + first, cx + last, y);
            plotRun(cx - last, cx - first, y);
        }
    });
}

template <class Mode>
void drawFilledCircle(const GFXimage &image, int64_t cx, int64_t cy, uint64_t radius, uint32_t color) {
    const CircleProfile circle(radius);
    const Area window = Mode::runWindow(image);
    forEachCircleRow(cy, circle.radius(), window.y0, window.y1, [&](int64_t y, int64_t k) {
        // The widest run the loop draws on this row: from column x = k, or from the
        // last column whose row is k. Every row offset has one or both.
        int64_t halfWidth = k <= circle.lastColumn() ? circle.rowAt(k) : 0;
        if (k >= circle.lowestRow()) halfWidth = std::max(halfWidth, circle.lastColumnOn(k));
        Mode::hline(image, cx - halfWidth, cx + halfWidth, y, color);
    });
}

}  // namespace zorblit::draw
