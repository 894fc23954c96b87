// Rotated sprites: a source turned by whole degrees about its centre pixel
// (width >> 1, height >> 1), in the seven sprite modes. The bounding box of the
// turned corners is walked and every destination pixel is mapped back into the
// source (nearest pixel). One walk for every mode and both forms.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "blit/sprite_modes.h"
#include "core/area.h"
#include "core/rounding.h"
#include "kernels/rotation_indices.h"

namespace zorblit {

// Source-relative bounds of the turned image, inclusive.
struct RotatedBox {
    int64_t minX, minY, maxX, maxY;
};

// Angles are reduced modulo 360 keeping their sign, before any trigonometry:
// -359..359 are used as they are, and far-off angles turn like their remainder.
inline int32_t reducedAngle(int32_t degrees) { return degrees % 360; }

// Each corner of the source turned about the centre in polar form; the radius
// and angle are held as floats, the turned point rounded to nearest, ties to
// even; the trigonometry in the form's RotationReal.
template <class Form>
RotatedBox rotatedBox(const GFXimage &source, int32_t degrees) {
    using Real = typename Form::RotationReal;
    const float turn = float(Real(degrees) * (std::numbers::pi_v<Real> / 180));
    const int64_t cx = source.width >> 1, cy = source.height >> 1;
    const int64_t w = source.width, h = source.height;
    const int64_t corners[4][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    RotatedBox box{std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::max(),
                   std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::min()};
    for (const auto &corner : corners) {
        const int64_t dx = corner[0] - cx, dy = corner[1] - cy;
        const float radius = float(std::sqrt(Real(dx) * Real(dx) + Real(dy) * Real(dy)));
        const float theta = PolarAngle(float(dy), float(dx)) + turn;
        const int64_t x = std::llrint(Real(radius) * std::cos(Real(theta)) + Real(cx));
        const int64_t y = std::llrint(Real(radius) * std::sin(Real(theta)) + Real(cy));
        box = {std::min(box.minX, x), std::min(box.minY, y), std::max(box.maxX, x), std::max(box.maxY, y)};
    }
    return box;
}

// What a call walks: the turned box cut to the write area (relative to the
// sprite's position), and the turn (Form::inverseTurn).
struct RotationWalk {
    Span columns, rows;
    InverseTurn turn;
    float cx, cy;
};

// Destination pixel (x + xx, y + yy) takes the source pixel its inverse turn
// lands on, rounded to nearest (ties to even), when that lies inside the source.
template <class Form, class Action>
void rotateAnySize(const GFXimage &dest, int64_t x, int64_t y, const GFXimage &source, const RotationWalk &walk,
                   const Action &action) {
    for (int64_t yy = walk.rows.first; yy < walk.rows.end; ++yy) {
        const float fy = float(yy) - walk.cy;
        uint32_t *destRow = pixelAddress(dest, x + walk.columns.first, y + yy);
        for (int64_t xx = walk.columns.first; xx < walk.columns.end; ++xx) {
            const float fx = float(xx) - walk.cx;
            float sampleX, sampleY;
            Form::rotatedSample(sampleX, sampleY, fx, fy, walk.turn, walk.cx, walk.cy);
            const int64_t sx = roundToNearest(sampleX), sy = roundToNearest(sampleY);
            if (uint64_t(sx) < source.width && uint64_t(sy) < source.height)
                action(*pixelAddress(source, uint64_t(sx), uint64_t(sy)), destRow[xx - walk.columns.first]);
        }
    }
}

// Sources under this size a side keep every coordinate and sample point of the
// walk far below 2^22, and a pixel's column and row and the width within 15 bits.
constexpr uint32_t kRunWalkSideLimit = 1u << 15;

// The same walk for sources under kRunWalkSideLimit a side, in runs of 64 columns,
// each run down all rows before the next, so that the source lines a turned run
// reads stay in cache. Per row of a run, first the source index of every pixel
// (-1 outside, by the index kernel), then the mode's action. Fetching the row by
// gathers (AVX2, AVX-512) was slower than this loop on an AMD EPYC.
template <class Form, class Action>
void rotateInRuns(const GFXimage &dest, int64_t x, int64_t y, const GFXimage &source, const RotationWalk &walk,
                  const Action &action) {
    constexpr int64_t kRun = 64;
    const kernels::SampleGrid grid{walk.turn, walk.cx, walk.cy, int32_t(source.width), int32_t(source.height)};
    int32_t indices[kRun];
    for (int64_t first = walk.columns.first; first < walk.columns.end; first += kRun) {
        const int32_t count = int32_t(std::min(kRun, walk.columns.end - first));
        const float fx0 = float(first) - walk.cx;
        for (int64_t yy = walk.rows.first; yy < walk.rows.end; ++yy) {
            kernels::sourceIndices<Form>(indices, count, fx0, float(yy) - walk.cy, grid);
            uint32_t *destRow = pixelAddress(dest, x + first, y + yy);
            for (int32_t i = 0; i < count; ++i)
                if (indices[i] >= 0) action(source.data[indices[i]], destRow[i]);
        }
    }
}

// Walks the turned box, visiting only the pixels inside the destination's write
// area (the form's rule for rotated pixels).
template <class Form, SpriteMode Mode>
void rotate(GFXimage dest, int32_t x, int32_t y, int32_t degrees, GFXimage source, uint32_t parameter = 0) {
    if (!hasPixels(source) || !hasPixels(dest)) return;
    degrees = reducedAngle(degrees);
    const RotatedBox box = rotatedBox<Form>(source, degrees);
    const Area limit = writeArea(dest, Form::obeysClipRectangle(ClippedWrite::RotatedPixel)).from(x, y);
    const Area visible = intersect({box.minX, box.minY, box.maxX + 1, box.maxY + 1}, limit);
    if (visible.empty()) return;
    const RotationWalk walk{visible.columns(), visible.rows(), Form::inverseTurn(degrees), float(source.width >> 1),
                            float(source.height >> 1)};

    const SpriteAction<Form, Mode> action{parameter};
    // Images that share memory keep the row-by-row order.
    if (source.width < kRunWalkSideLimit && source.height < kRunWalkSideLimit && !overlaps(source, dest))
        rotateInRuns<Form>(dest, x, y, source, walk, action);
    else
        rotateAnySize<Form>(dest, x, y, source, walk, action);
}

}  // namespace zorblit
