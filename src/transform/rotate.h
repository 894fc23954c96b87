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
#include <type_traits>

#include "blit/sprite_modes.h"
#include "transform/dest_area.h"
#include "transform/rounding.h"

namespace zorblit {

// Source-relative bounds of the turned image, inclusive.
struct RotatedBox {
    int64_t minX, minY, maxX, maxY;
};

// The packed form evaluates the trigonometry in extended precision, the portable
// form in double.
template <class Form>
using RotationReal = std::conditional_t<Form::packed, long double, double>;

// Angles of 360 and more are reduced modulo 360; smaller ones, negative ones
// included, are used as they are.
inline int32_t reducedAngle(int32_t degrees) { return degrees >= 360 ? degrees % 360 : degrees; }

// Each corner of the source turned about the centre in polar form; the radius
// and angle are held as floats, the turned point rounded to nearest, ties to even.
template <class Form>
RotatedBox rotatedBox(const GFXimage &source, int32_t degrees) {
    using Real = RotationReal<Form>;
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

// Sine and cosine of angle + 90 degrees, so that the mapping below turns by
// -angle: the packed form multiplies by pi/180 rounded to a float in extended
// precision, the portable form forms the radians in double rounded to a float.
struct InverseTurn {
    float sine, cosine;
};

template <class Form>
InverseTurn inverseTurn(int32_t degrees) {
    const int64_t quarterOn = int64_t(degrees) + 90;
    if constexpr (Form::packed) {
        const long double radians = (long double)quarterOn * (long double)float(std::numbers::pi / 180);
        return {float(std::sin(radians)), float(std::cos(radians))};
    } else {
        const double radians = float(double(quarterOn) * (std::numbers::pi / 180));
        return {float(std::sin(radians)), float(std::cos(radians))};
    }
}

// The source point of a pixel at (fx, fy) from the centre, in float, rounded to
// nearest, ties to even. The forms sum the same terms in a different order.
template <class Form>
int64_t sourceX(float fx, float fy, InverseTurn t, float cx) {
    if constexpr (Form::packed) return roundToNearest(fx * t.sine - fy * t.cosine + cx);
    return roundToNearest((cx + fx * t.sine) - fy * t.cosine);
}
template <class Form>
int64_t sourceY(float fx, float fy, InverseTurn t, float cy) {
    if constexpr (Form::packed) return roundToNearest(fx * t.cosine + fy * t.sine + cy);
    return roundToNearest((cy + fx * t.cosine) + fy * t.sine);
}

// Destination pixel (x + xx, y + yy) for every (xx, yy) of the box takes the
// source pixel its inverse turn lands on, when that lies inside the source. The
// packed form writes inside the destination's bounds, the portable form inside
// the clip rectangle as well; the walk visits only those pixels.
template <class Form, SpriteMode Mode>
void rotate(GFXimage dest, int32_t x, int32_t y, int32_t degrees, GFXimage source, uint32_t parameter = 0) {
    if (source.width == 0 || source.height == 0) return;
    degrees = reducedAngle(degrees);
    const RotatedBox box = rotatedBox<Form>(source, degrees);
    const Area area = writableArea(dest, !Form::packed);
    const Span columns = spanInside(box.minX, box.maxX, x, area.left, area.right);
    const Span rows = spanInside(box.minY, box.maxY, y, area.top, area.bottom);
    if (columns.empty() || rows.empty()) return;

    const SpriteAction<Form, Mode> action{parameter};
    const InverseTurn turn = inverseTurn<Form>(degrees);
    const float cx = float(source.width >> 1), cy = float(source.height >> 1);
    for (int64_t yy = rows.first; yy <= rows.last; ++yy) {
        const float fy = float(yy) - cy;
        uint32_t *destRow = pixelAddress(dest, x + columns.first, y + yy);
        for (int64_t xx = columns.first; xx <= columns.last; ++xx) {
            const float fx = float(xx) - cx;
            const int64_t sx = sourceX<Form>(fx, fy, turn, cx), sy = sourceY<Form>(fx, fy, turn, cy);
            if (uint64_t(sx) < source.width && uint64_t(sy) < source.height)
                action(*pixelAddress(source, uint64_t(sx), uint64_t(sy)), destRow[xx - columns.first]);
        }
    }
}

}  // namespace zorblit
