// The portable form: per pixel and per channel. Blends give alpha 255 (except
// AlphaValue, which mixes alpha too) and Average rounds down; most clipped writers
// obey the clip rectangle. The rules at the end are everything else in which its
// results differ from the packed form's.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "core/form_rules.h"
#include "core/image_math.h"
#include "core/rounding.h"
#include "core/blend_op.h"

namespace zorblit {

struct Portable {
    // Tests pick expected values by this; routines go by the rules below.
    static constexpr bool packed = false;
    static constexpr const char *name = "portable";

    // -- bulk memory
    static constexpr auto move = moveWords;
    static void fill(uint32_t *dest, size_t count, uint32_t value) { std::fill_n(dest, count, value); }

    // -- clipped pixel access
    static void putPixelClip(const GFXimage &image, int32_t x, int32_t y, uint32_t color) {
        // The clip rectangle is the limit; positions outside the image are skipped
        // too, so a clip rectangle larger than the image cannot corrupt memory.
        if (insideClipRectangle(x, y) && insideImage(image, x, y)) *pixelAddress(image, x, y) = color;
    }
    static uint32_t getPixelClip(const GFXimage &image, int32_t x, int32_t y) {
        return insideImage(image, x, y) ? *pixelAddress(image, x, y) : 0;
    }

    // -- blend operators (s = source, d = destination)
    static uint32_t average(uint32_t s, uint32_t d) {
        return mapRGB(s, d, [](uint32_t a, uint32_t b) { return (a >> 1) + (b >> 1); });
    }
    static uint32_t saturatedAdd(uint32_t s, uint32_t d) {
        return mapRGB(s, d, [](uint32_t a, uint32_t b) { return std::min(a + b, 255u); });
    }
    static uint32_t saturatedSub(uint32_t s, uint32_t d) {
        return mapRGB(s, d, [](uint32_t a, uint32_t b) { return a > b ? a - b : 0u; });
    }
    static uint32_t alpha(uint32_t s, uint32_t d) {
        const uint32_t w = s >> 24;
        return mapRGB(s, d, [w](uint32_t a, uint32_t b) { return (a * w + b * (255 - w)) >> 8; });
    }
    static uint32_t alphaValue(uint32_t s, uint32_t d, uint8_t w) {
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const uint32_t a = (s >> shift) & 0xFF, b = (d >> shift) & 0xFF;
            out |= ((a * w + b * (255u - w)) >> 8) << shift;
        }
        return out;
    }

    // -- rules

    // The operator a blend run applies for Op (named after the packed operator of
    // the same name): this form's own one.
    static constexpr BlendOp runOperator(BlendOp op) {
        switch (op) {
            case BlendOp::Average: return BlendOp::OpaqueAverageDown;
            case BlendOp::SaturatedAdd: return BlendOp::OpaqueSaturatedAdd;
            case BlendOp::SaturatedSub: return BlendOp::OpaqueSaturatedSub;
            case BlendOp::Alpha: return BlendOp::OpaqueAlpha;
            case BlendOp::AlphaValue: return BlendOp::AlphaValueAllBytes;
            default: return op;
        }
    }

    // Clipped writers keep to the clip rectangle, except vertical lines, the
    // image blit and scaled blends, which keep to the image alone.
    static constexpr bool obeysClipRectangle(ClippedWrite write) {
        return write != ClippedWrite::Column && write != ClippedWrite::ImageBlit && write != ClippedWrite::ScaledBlend;
    }
    // Bars whose first row lies below the second draw nothing.
    static constexpr bool barsOrderRows = false;

    // Sprites in alpha mode blend every pixel; an alpha value of 0 blends too.
    static uint32_t spriteAlpha(uint32_t s, uint32_t d) { return alpha(s, d); }
    static constexpr BlendOp spriteAlphaOp = BlendOp::Alpha;
    static constexpr bool zeroAlphaValueDrawsNothing = false;

    // Scaled sprites: blended like the others. An extent of 0 stays 0.
    static uint32_t scaledAlpha(uint32_t s, uint32_t d) { return alpha(s, d); }
    static uint32_t scaledAlphaValue(uint32_t s, uint32_t d, uint8_t w) { return alphaValue(s, d, w); }
    static ScaleRectangle scaleRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const GFXimage &) {
        return betweenCorners(x1, y1, x2, y2);
    }
    // Source pixels per destination pixel: divided in double, held as a float.
    static float scaleStep(uint32_t sourceSize, int64_t targetSize) {
        return float(double(sourceSize) / double(targetSize));
    }
    // The source column (row) at walk position f >= 0: rounded to nearest, ties to even.
    static int64_t scaleSample(float f) { return roundToNearest(f); }
    // A rectangle of the source's own size is sampled like any other.
    static constexpr bool scalesOwnSizeOneToOne = false;

    // Rotation: trigonometry in double; the radians of the inverse turn formed
    // in double and rounded to a float.
    using RotationReal = double;
    static InverseTurn inverseTurn(int32_t degrees) {
        const double radians = float(double(int64_t(degrees) + 90) * (std::numbers::pi / 180));
        return {float(std::sin(radians)), float(std::cos(radians))};
    }
    // The source point (sx, sy) of a pixel at (fx, fy) from the centre (cx, cy),
    // in float, before rounding: the centre first. Value is a float, or a vector
    // of floats that takes the same operations lane by lane; by reference, so
    // that code built for registers wider than the baseline's can call it.
    template <class Value>
    static void rotatedSample(Value &sx, Value &sy, const Value &fx, const Value &fy, InverseTurn t, float cx, float cy) {
        sx = (cx + fx * t.sine) - fy * t.cosine;
        sy = (cy + fx * t.cosine) + fy * t.sine;
    }

    // Whole images.
    static constexpr CombinationWalk combinationWalk = CombinationWalk::RowsOfA;
    static constexpr BlurKind blur = BlurKind::Box3x3;
    static constexpr PlasmaKind plasma = PlasmaKind::DirectDouble;

private:
    // Applies op to red, green and blue; the result's alpha is 255.
    template <class Op>
    static uint32_t mapRGB(uint32_t s, uint32_t d, Op op) {
        uint32_t out = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) out |= op((s >> shift) & 0xFF, (d >> shift) & 0xFF) << shift;
        return out;
    }
};

}  // namespace zorblit
