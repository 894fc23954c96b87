// Lines between two points, stepped in single precision along their rectilinear
// length (ax + ay steps of ax/n across and ay/n down), each pixel rounded to the
// nearest (ties to even) and kept inside the box of the two end points.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/float_walk.h"
#include "draw/runs.h"

namespace zorblit::draw {

// One coordinate of a stepped line: its walk, its pixel, and where that pixel
// stands against the window [windowLo, windowHi) in the direction of travel.
class LineAxis {
public:
    LineAxis(int64_t from, int64_t to, float step, int64_t windowLo, int64_t windowHi)
        : walk_(float(from), to > from ? step : -step),
          lowEnd_(std::min(from, to)),
          highEnd_(std::max(from, to)),
          windowLo_(windowLo),
          windowHi_(windowHi),
          forward_(to > from) {}

    FloatWalk &walk() { return walk_; }
    int64_t pixel() const { return pixelAt(walk_.value()); }
    // At or beyond the window's near edge.
    bool reached(float value) const { return forward_ ? pixelAt(value) >= windowLo_ : pixelAt(value) < windowHi_; }
    bool reached() const { return reached(walk_.value()); }
    // Beyond the window's far edge: no later pixel can be inside.
    bool passed(int64_t pixel) const { return forward_ ? pixel >= windowHi_ : pixel < windowLo_; }

    // Moves this axis into the window (or as far as it goes in limit steps);
    // returns the steps taken.
    uint64_t enter(uint64_t limit) {
        return walk_.advanceUntil(limit, [this](float value) { return reached(value); });
    }

private:
    int64_t pixelAt(float value) const { return std::clamp<int64_t>(roundToEven(value), lowEnd_, highEnd_); }

    FloatWalk walk_;
    int64_t lowEnd_, highEnd_, windowLo_, windowHi_;
    bool forward_;
};

// Calls plot(x, y) for every pixel of the line from a to b that lies in window.
// Pixels outside the window are skipped without walking them one by one.
template <class Plot>
void traceLine(Point a, Point b, const Box &window, Plot plot) {
    if (a.x == b.x || a.y == b.y) {
        // A row or a column (one pixel when the ends meet).
        int64_t x0, x1, y0, y1;
        if (!clampSpan(a.x, b.x, window.x0, window.x1, x0, x1) || !clampSpan(a.y, b.y, window.y0, window.y1, y0, y1))
            return;
        for (int64_t y = y0; y <= y1; ++y)
            for (int64_t x = x0; x <= x1; ++x) plot(x, y);
        return;
    }
    const int64_t ax = std::abs(b.x - a.x), ay = std::abs(b.y - a.y);
    const float length = float(ax + ay);
    const uint64_t last = uint64_t(roundToEven(length));  // pixels 0..last
    LineAxis x(a.x, b.x, float(ax) / length, window.x0, window.x1);
    LineAxis y(a.y, b.y, float(ay) / length, window.y0, window.y1);
    // One of the two steps is at least 1/2, and below 2^22 a float moves by any
    // step of 1/4 or more, so inside a window of that size the line cannot stall.
    constexpr int64_t kMoving = int64_t(1) << 22;
    const bool canStall = std::max({-window.x0, -window.y0, window.x1, window.y1}) > kMoving;
    for (uint64_t k = 0; k <= last;) {
        // Bring each axis into the window, moving the other on by as many steps.
        if (!x.reached()) {
            const uint64_t steps = x.enter(last - k);
            if (!x.reached()) return;
            y.walk().skip(steps);
            k += steps;
            continue;
        }
        if (!y.reached()) {
            const uint64_t steps = y.enter(last - k);
            if (!y.reached()) return;
            x.walk().skip(steps);
            k += steps;
            continue;
        }
        // Both inside: plot until either leaves the window by its far edge.
        for (; k <= last; ++k) {
            const int64_t px = x.pixel(), py = y.pixel();
            if (x.passed(px) || y.passed(py)) return;
            plot(px, py);
            const float oldX = x.walk().value(), oldY = y.walk().value();
            x.walk().step();
            y.walk().step();
            // Neither coordinate can change any more: every later pixel is this one.
            if (canStall && x.walk().value() == oldX && y.walk().value() == oldY) return;
        }
    }
}

template <class Mode>
void drawLine(const GFXimage &image, Point a, Point b, uint32_t color) {
    // The lambda keeps its own copy of the record, so pixel stores cannot make the
    // compiler reload it.
    traceLine(a, b, Mode::pixelWindow(image),
              [target = image, color](int64_t x, int64_t y) { Mode::pixel(target, x, y, color); });
}

}  // namespace zorblit::draw
