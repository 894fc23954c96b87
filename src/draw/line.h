// Lines between two points, stepped in single precision along their rectilinear
// length (ax + ay steps of ax/n across and ay/n down), each pixel rounded to the
// nearest (ties to even) and kept inside the box of the two end points.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/float_walk.h"
#include "draw/runs.h"
#include "kernels/line_store.h"

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
          plainLo_(std::max(lowEnd_, windowLo)),
          plainHi_(std::min(highEnd_, windowHi - 1)),
          forward_(to > from) {}

    FloatWalk &walk() { return walk_; }
    int64_t pixelAt(float value) const { return std::clamp<int64_t>(roundToEven(value), lowEnd_, highEnd_); }
    // At or beyond the window's near edge.
    bool reached(float value) const { return forward_ ? pixelAt(value) >= windowLo_ : pixelAt(value) < windowHi_; }
    bool reached() const { return reached(walk_.value()); }
    // Beyond the window's far edge: no later pixel can be inside.
    bool passed(int64_t pixel) const { return forward_ ? pixel >= windowHi_ : pixel < windowLo_; }

    // Moves this axis into the window (or as far as it goes in limit steps);
    // returns the steps taken.
    uint64_t enter(uint64_t limit) {
        const double nearEdge = (forward_ ? windowLo_ : windowHi_) - 0.5;
        return walk_.advanceUntil(limit, [this](float value) { return reached(value); }, nearEdge);
    }

    // Whether value rounds to a pixel inside the window that the end-point box
    // leaves alone.
    bool plain(float value) const {
        const int64_t rounded = roundToEven(value);
        return rounded >= plainLo_ && rounded <= plainHi_;
    }

    // About where along stretch (of count values) plain pixels end.
    uint64_t plainEnd(const FloatWalk::Stretch &stretch, uint64_t count) const {
        const double farEdge = forward_ ? plainHi_ + 0.5 : plainLo_ - 0.5;
        return indexNear((farEdge - stretch.start) / stretch.increment, count);
    }

private:
    FloatWalk walk_;
    int64_t lowEnd_, highEnd_, windowLo_, windowHi_;
    int64_t plainLo_, plainHi_;  // the pixels inside the window that the end-point box leaves alone
    bool forward_;
};

// Plots the pixels of the line from where its walks stand, at most count of them,
// until either coordinate passes the window's far edge. Where both advance by
// exact constant amounts, and every pixel of the stretch is in the window and
// left alone by the end-point box, plot.run takes the stretch whole.
template <class Plot>
void plotLine(LineAxis &x, LineAxis &y, uint64_t count, const Plot &plot) {
    FloatWalk::Stretch sx = x.walk().stretch(), sy = y.walk().stretch();
    while (count > 0) {
        auto plain = [&](uint64_t i) { return x.plain(sx.at(i)) && y.plain(sy.at(i)); };
        const uint64_t n = std::min({count, sx.count, sy.count});
        uint64_t m = 1;  // pixels plotted this round
        if (n > 1 && plain(0)) {
            // Plain pixels come first along the stretch; m counts them.
            m = plain(n - 1) ? n
                : firstHolding(1, n - 1, std::min(x.plainEnd(sx, n), y.plainEnd(sy, n)),
                               [&](uint64_t i) { return !plain(i); });
            plot.run(sx, sy, m);
        } else {
            const int64_t px = x.pixelAt(sx.start), py = y.pixelAt(sy.start);
            if (x.passed(px) || y.passed(py)) return;
            plot(px, py);
            // Neither coordinate can change any more: every later pixel is this one.
            if (sx.stalled() && sy.stalled()) return;
        }
        x.walk().advance(sx, m);
        y.walk().advance(sy, m);
        count -= m;
    }
}

// Calls plot(x, y) for every pixel of the line from a to b that lies in window.
// Pixels outside the window are skipped without walking them one by one.
template <class Plot>
void traceLine(Point a, Point b, const Area &window, const Plot &plot) {
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
        // Both inside: they stay inside until one passes its far edge.
        plotLine(x, y, last - k + 1, plot);
        return;
    }
}

// Stores one colour at pixels of an image.
struct PixelStore {
    GFXimage image;
    uint32_t color;

    void operator()(int64_t x, int64_t y) const { *pixelAddress(image, x, y) = color; }

    // The first count pixels along two stretches, all inside the image.
    void run(const FloatWalk::Stretch &sx, const FloatWalk::Stretch &sy, uint64_t count) const {
        kernels::storeAlong(image, {sx.start, sx.increment, sy.start, sy.increment}, count, color);
    }
};

template <class Mode>
void drawLine(const GFXimage &image, Point a, Point b, uint32_t color) {
    // Every position traced lies in the mode's pixel window, where its pixel
    // writer always writes, so the pixel is stored directly.
    traceLine(a, b, Mode::pixelWindow(image), PixelStore{image, color});
}

}  // namespace zorblit::draw
