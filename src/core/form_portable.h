// The portable form: per pixel and per channel. Blends give alpha 255 (except
// AlphaValue, which mixes alpha too) and Average rounds down; clipped writers obey
// the clip rectangle.
#pragma once
#include <algorithm>
#include <cstring>

#include "core/image_math.h"
#include "kernels/blend_run.h"

namespace zorblit {

struct Portable {
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

    // dest[i] = op(a[i], b[i]) over a run with the operators above (dest may be
    // a or b; Op names the packed operator of the same name), by the blend-run
    // kernel of this form's operator.
    template <BlendOp Op>
    static void blendRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value = 0) {
        kernels::blendRun<ownOperator(Op)>(dest, a, b, count, value);
    }

private:
    static constexpr BlendOp ownOperator(BlendOp op) {
        switch (op) {
            case BlendOp::Average: return BlendOp::OpaqueAverageDown;
            case BlendOp::SaturatedAdd: return BlendOp::OpaqueSaturatedAdd;
            case BlendOp::SaturatedSub: return BlendOp::OpaqueSaturatedSub;
            case BlendOp::Alpha: return BlendOp::OpaqueAlpha;
            case BlendOp::AlphaValue: return BlendOp::AlphaValueAllBytes;
            default: return op;
        }
    }

    // Applies op to red, green and blue; the result's alpha is 255.
    template <class Op>
    static uint32_t mapRGB(uint32_t s, uint32_t d, Op op) {
        uint32_t out = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) out |= op((s >> shift) & 0xFF, (d >> shift) & 0xFF) << shift;
        return out;
    }
};

}  // namespace zorblit
