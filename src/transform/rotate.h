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
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Angles are reduced modulo 360 keeping their sign, before any trigonometry:
// -359..359 are used as they are, and far-off angles turn like their remainder.
inline int32_t reducedAngle(int32_t degrees) { return degrees % 360; }

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

// The source point of a pixel at (fx, fy) from the centre, in float, before
// rounding. The forms sum the same terms in a different order.
// Value is a float, or a vector of floats that takes the same operations lane by lane.
template <class Form, class Value>
Value sampleX(Value fx, Value fy, InverseTurn t, float cx) {
    if constexpr (Form::packed) return fx * t.sine - fy * t.cosine + cx;
    return (cx + fx * t.sine) - fy * t.cosine;
}
template <class Form, class Value>
Value sampleY(Value fx, Value fy, InverseTurn t, float cy) {
    if constexpr (Form::packed) return fx * t.cosine + fy * t.sine + cy;
    return (cy + fx * t.cosine) + fy * t.sine;
}

// What a call walks: the turned box cut to the writable area, and the turn.
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
    for (int64_t yy = walk.rows.first; yy <= walk.rows.last; ++yy) {
        const float fy = float(yy) - walk.cy;
        uint32_t *destRow = pixelAddress(dest, x + walk.columns.first, y + yy);
        for (int64_t xx = walk.columns.first; xx <= walk.columns.last; ++xx) {
            const float fx = float(xx) - walk.cx;
            const int64_t sx = roundToNearest(sampleX<Form>(fx, fy, walk.turn, walk.cx));
            const int64_t sy = roundToNearest(sampleY<Form>(fx, fy, walk.turn, walk.cy));
            if (uint64_t(sx) < source.width && uint64_t(sy) < source.height)
                action(*pixelAddress(source, uint64_t(sx), uint64_t(sy)), destRow[xx - walk.columns.first]);
        }
    }
}

// Sources under this size a side keep every coordinate and sample point of the
// walk far below 2^22, and a pixel's column and row and the width within 15 bits.
constexpr uint32_t kRunWalkSideLimit = 1u << 15;

#if defined(__SSE2__)
// The first indices of one row of a run, four pixels at a time, as the plain loop
// in rotateInRuns computes them: the lanes take its float operations in the same
// order, the conversion rounds to nearest with ties to even as adding and
// subtracting 1.5 * 2^23 does, and one multiply-add of 16-bit halves gives column
// plus row times width. The lanes' column offsets step by exactly 4, as all are
// small integers. Returns how many indices it wrote.
template <class Form>
int32_t sourceIndicesInLanes(int32_t *indices, int32_t count, float fx0, float fy, const RotationWalk &walk,
                             const GFXimage &source) {
    using Floats = float __attribute__((vector_size(16)));
    using Unsigned = uint32_t __attribute__((vector_size(16)));
    const Floats y = Floats{} + fy;
    Floats x = Floats{0, 1, 2, 3} + fx0;
    const __m128i weights = _mm_set1_epi32(int32_t(source.width) << 16 | 1);
    int32_t k = 0;
    for (; k + 4 <= count; k += 4, x += 4) {
        const __m128i sx = _mm_cvtps_epi32(__m128(sampleX<Form>(x, y, walk.turn, walk.cx)));
        const __m128i sy = _mm_cvtps_epi32(__m128(sampleY<Form>(x, y, walk.turn, walk.cy)));
        const __m128i inside = __m128i((Unsigned(sx) < source.width) & (Unsigned(sy) < source.height));
        const __m128i columnAndRow = _mm_or_si128(_mm_and_si128(sx, _mm_set1_epi32(0xFFFF)), _mm_slli_epi32(sy, 16));
        const __m128i index = _mm_madd_epi16(columnAndRow, weights);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(indices + k), _mm_or_si128(index, ~inside));  // -1 outside
    }
    return k;
}
#endif

// The same walk for sources under kRunWalkSideLimit a side, in runs of 64 columns,
// each run down all rows before the next, so that the source lines a turned run
// reads stay in cache. Per row of a run, first the source index of every pixel
// (-1 outside), four at a time where it can, then the mode's action. Here fx
// steps by exactly 1, and adding and subtracting 1.5 * 2^23 rounds to nearest
// with ties to even like roundToNearest, since every sample lies far below 2^22.
template <class Form, class Action>
void rotateInRuns(const GFXimage &dest, int64_t x, int64_t y, const GFXimage &source, const RotationWalk &walk,
                  const Action &action) {
    constexpr int64_t kRun = 64;
    constexpr float kRounder = 0x1.8p23f;
    const int32_t width = int32_t(source.width), height = int32_t(source.height);
    int32_t indices[kRun];
    for (int64_t first = walk.columns.first; first <= walk.columns.last; first += kRun) {
        const int32_t count = int32_t(std::min(kRun, walk.columns.last - first + 1));
        const float fx0 = float(first) - walk.cx;
        for (int64_t yy = walk.rows.first; yy <= walk.rows.last; ++yy) {
            const float fy = float(yy) - walk.cy;
            int32_t k = 0;
#if defined(__SSE2__)
            k = sourceIndicesInLanes<Form>(indices, count, fx0, fy, walk, source);
#endif
            for (; k < count; ++k) {
                const float fx = fx0 + float(k);
                const int32_t sx = int32_t((sampleX<Form>(fx, fy, walk.turn, walk.cx) + kRounder) - kRounder);
                const int32_t sy = int32_t((sampleY<Form>(fx, fy, walk.turn, walk.cy) + kRounder) - kRounder);
                const bool inside = uint32_t(sx) < uint32_t(width) && uint32_t(sy) < uint32_t(height);
                indices[k] = inside ? sy * width + sx : -1;
            }
            uint32_t *destRow = pixelAddress(dest, x + first, y + yy);
            for (int32_t i = 0; i < count; ++i)
                if (indices[i] >= 0) action(source.data[indices[i]], destRow[i]);
        }
    }
}

// Walks the turned box. The packed form writes inside the destination's bounds,
// the portable form inside the clip rectangle as well; the walk visits only those
// pixels.
template <class Form, SpriteMode Mode>
void rotate(GFXimage dest, int32_t x, int32_t y, int32_t degrees, GFXimage source, uint32_t parameter = 0) {
    if (!hasPixels(source) || !hasPixels(dest)) return;
    degrees = reducedAngle(degrees);
    const RotatedBox box = rotatedBox<Form>(source, degrees);
    const Area area = writableArea(dest, !Form::packed);
    const RotationWalk walk{spanInside(box.minX, box.maxX, x, area.left, area.right),
                            spanInside(box.minY, box.maxY, y, area.top, area.bottom), inverseTurn<Form>(degrees),
                            float(source.width >> 1), float(source.height >> 1)};
    if (walk.columns.empty() || walk.rows.empty()) return;

    const SpriteAction<Form, Mode> action{parameter};
    // Images that share memory keep the row-by-row order.
    if (source.width < kRunWalkSideLimit && source.height < kRunWalkSideLimit && !overlaps(source, dest))
        rotateInRuns<Form>(dest, x, y, source, walk, action);
    else
        rotateAnySize<Form>(dest, x, y, source, walk, action);
}

}  // namespace zorblit
