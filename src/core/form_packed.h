// The packed form: pixels moved and stored 64 bits or more at a time, and colour arithmetic on
// all four bytes of a pixel at once (SIMD within a register). Average rounds up
// and, like the saturating operators, treats alpha as a fourth channel; the alpha
// mixes give alpha 0. Clipped writers obey the bounds of their own image. The
// rules at the end are everything else in which its results differ from the
// portable form's.
#pragma once
#include <cmath>
#include <cstring>
#include <numbers>

#include "core/form_rules.h"
#include "core/image_math.h"
#include "core/blend_op.h"

namespace zorblit {

namespace swar {

constexpr uint64_t kHigh = 0x8080808080808080ull;  // top bit of every byte
constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;  // the other seven bits

// Per byte (a + b + 1) >> 1: a | b minus half the bits where they differ.
constexpr uint64_t averageUp(uint64_t a, uint64_t b) { return (a | b) - (((a ^ b) >> 1) & kLow7); }

// Per byte min(a + b, 255): add the low seven bits, fix the top bit, and turn
// every byte that carried out into 0xFF.
constexpr uint64_t addSaturated(uint64_t a, uint64_t b) {
    const uint64_t sum = ((a & kLow7) + (b & kLow7)) ^ ((a ^ b) & kHigh);
    const uint64_t carry = ((a & b) | ((a | b) & ~sum)) & kHigh;
    return sum | ((carry >> 7) * 0xFF);
}

// Per byte max(a - b, 0): subtract with the top bits kept apart, then clear every
// byte that borrowed.
constexpr uint64_t subSaturated(uint64_t a, uint64_t b) {
    const uint64_t diff = ((a | kHigh) - (b & kLow7)) ^ ((a ^ ~b) & kHigh);
    const uint64_t borrow = ((~a & b) | (~(a ^ b) & diff)) & kHigh;
    return diff & ~((borrow >> 7) * 0xFF);
}

// A pixel's four bytes in four 16-bit lanes, and back.
constexpr uint64_t widen(uint32_t p) {
    const uint64_t v = p;
    return (v & 0xFF) | (v & 0xFF00) << 8 | (v & 0xFF0000) << 16 | (v & 0xFF000000) << 24;
}
constexpr uint32_t narrow(uint64_t v) {
    return uint32_t((v & 0xFF) | (v >> 8 & 0xFF00) | (v >> 16 & 0xFF0000) | (v >> 24 & 0xFF000000));
}

// (s * w + d * (255 - w)) >> 8 in each colour lane; the weights of the alpha lane
// are both 0. The largest lane sum, 255 * 255, fits in 16 bits, so no lane
// carries into the next.
constexpr uint32_t mix(uint32_t s, uint32_t d, uint32_t w) {
    constexpr uint64_t colourLanes = 0x0000FFFFFFFFFFFFull;
    const uint64_t sum = (widen(s) & colourLanes) * w + (widen(d) & colourLanes) * (255 - w);
    return narrow((sum >> 8) & 0x00FF00FF00FF00FFull);
}

// Each of the four bytes (s * w + d * (256 - w)) >> 8 with w = k + (k >> 7), so
// k = 255 gives s exactly. The largest lane sum, 255 * 256, fits in 16 bits.
constexpr uint32_t mixFull(uint32_t s, uint32_t d, uint32_t k) {
    const uint64_t w = k + (k >> 7);
    return narrow((widen(s) * w + widen(d) * (256 - w)) >> 8 & 0x00FF00FF00FF00FFull);
}

}  // namespace swar

struct Packed {
    // Tests pick expected values by this; routines go by the rules below.
    static constexpr bool packed = true;
    static constexpr const char *name = "packed";

    // -- bulk memory: the shared move and fill (the C library moves and fills
    // in 64-bit words and wider)
    static constexpr auto move = moveWords;
    static constexpr auto fill = fillWords;

    // -- clipped pixel access: the image's own bounds
    static void putPixelClip(const GFXimage &image, int32_t x, int32_t y, uint32_t color) {
        if (insideImage(image, x, y)) *pixelAddress(image, x, y) = color;
    }
    static uint32_t getPixelClip(const GFXimage &image, int32_t x, int32_t y) {
        return insideImage(image, x, y) ? *pixelAddress(image, x, y) : 0;
    }

    // -- blend operators (s = source, d = destination)
    static uint32_t average(uint32_t s, uint32_t d) { return uint32_t(swar::averageUp(s, d)); }
    static uint32_t saturatedAdd(uint32_t s, uint32_t d) { return uint32_t(swar::addSaturated(s, d)); }
    static uint32_t saturatedSub(uint32_t s, uint32_t d) { return uint32_t(swar::subSaturated(s, d)); }
    static uint32_t alpha(uint32_t s, uint32_t d) { return swar::mix(s, d, s >> 24); }
    static uint32_t alphaValue(uint32_t s, uint32_t d, uint8_t w) { return swar::mix(s, d, w); }


    // -- rules

    // The operator a blend run applies for Op: the one of that name.
    static constexpr BlendOp runOperator(BlendOp op) { return op; }

    // Clipped writers keep to the image's own bounds, never to the clip rectangle.
    static constexpr bool obeysClipRectangle(ClippedWrite) { return false; }
    // Bars take their rows in either order.
    static constexpr bool barsOrderRows = true;

    // Sprites in alpha mode leave the destination alone where the source is
    // fully transparent; an alpha value of 0 draws nothing at all.
    static uint32_t spriteAlpha(uint32_t s, uint32_t d) { return s >> 24 ? alpha(s, d) : d; }
    static constexpr BlendOp spriteAlphaOp = BlendOp::AlphaSkippingTransparent;
    static constexpr bool zeroAlphaValueDrawsNothing = true;

    // Scaled sprites: the alpha modes blend all four bytes with weights out of
    // 256 (swar::mixFull), the alpha mode skipping fully transparent pixels. A
    // second corner (0, 0) draws the source at its own size at the first, and
    // an axis of extent 0 takes the source's size.
    static uint32_t scaledAlpha(uint32_t s, uint32_t d) { return s >> 24 ? swar::mixFull(s, d, s >> 24) : d; }
    static uint32_t scaledAlphaValue(uint32_t s, uint32_t d, uint8_t w) { return swar::mixFull(s, d, w); }
    static ScaleRectangle scaleRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const GFXimage &source) {
        if (x2 == 0 && y2 == 0) return {x1, y1, source.width, source.height};
        ScaleRectangle rect = betweenCorners(x1, y1, x2, y2);
        if (rect.width == 0) rect.width = source.width;
        if (rect.height == 0) rect.height = source.height;
        return rect;
    }
    // Source pixels per destination pixel: divided in single precision.
    static float scaleStep(uint32_t sourceSize, int64_t targetSize) { return float(sourceSize) / float(targetSize); }
    // The source column (row) at walk position f >= 0: truncated.
    static int64_t scaleSample(float f) { return int64_t(f); }
    // A rectangle of the source's own size takes every source pixel once, in order.
    static constexpr bool scalesOwnSizeOneToOne = true;

    // Rotation: trigonometry in extended precision; the inverse turn's degrees
    // times pi/180 rounded to a float, multiplied in extended precision.
    using RotationReal = long double;
    static InverseTurn inverseTurn(int32_t degrees) {
        const long double radians = (long double)(int64_t(degrees) + 90) * (long double)float(std::numbers::pi / 180);
        return {float(std::sin(radians)), float(std::cos(radians))};
    }
    // The source point (sx, sy) of a pixel at (fx, fy) from the centre (cx, cy),
    // in float, before rounding: the centre last. Value is a float, or a vector
    // of floats that takes the same operations lane by lane; by reference, so
    // that code built for registers wider than the baseline's can call it.
    template <class Value>
    static void rotatedSample(Value &sx, Value &sy, const Value &fx, const Value &fy, InverseTurn t, float cx, float cy) {
        sx = fx * t.sine - fy * t.cosine + cx;
        sy = fx * t.cosine + fy * t.sine + cy;
    }

    // Whole images.
    static constexpr CombinationWalk combinationWalk = CombinationWalk::OneRun;
    static constexpr BlurKind blur = BlurKind::FourNeighbours;
    static constexpr PlasmaKind plasma = PlasmaKind::RotatedFloat;
};

}  // namespace zorblit
