// The packed form: pixels moved and stored 64 bits or more at a time, and colour arithmetic on
// all four bytes of a pixel at once (SIMD within a register). Average rounds up
// and, like the saturating operators, treats alpha as a fourth channel; the alpha
// mixes give alpha 0. Clipped writers obey the bounds of their own image.
#pragma once
#include <cstring>

#include "core/image_math.h"
#include "kernels/blend_run.h"

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

}  // namespace swar

struct Packed {
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

    // dest[i] = op(a[i], b[i]) over a run with the operators above (dest may be
    // a or b), by the blend-run kernel for the processor at hand.
    template <BlendOp Op>
    static void blendRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value = 0) {
        kernels::blendRun<Op>(dest, a, b, count, value);
    }
};

}  // namespace zorblit
