// Subdivision plasma: a seeded random grid of colours every step pixels, then
// cosine interpolation between each grid point and its right, lower and
// diagonal neighbours. Coordinates that pass the right or bottom edge wrap by
// AND with width - 1 and height - 1, so power-of-two images tile seamlessly and
// no size ever reaches outside the image.
#include <array>
#include <cmath>
#include <numbers>

#include "core/image_math.h"
#include "effects/random.h"

using namespace zorblit;

namespace {

constexpr int32_t kLargestStep = 256;

// The cosine ease (1 - cos(i / step * pi)) / 2 for i = 0..step - 1, the same
// value interpolate would compute per pixel.
std::array<float, kLargestStep> easeTable(uint32_t step) {
    std::array<float, kLargestStep> ease{};
    const float inverse = 1.0f / float(step);
    for (uint32_t i = 0; i < step; ++i)
        ease[i] = float((1 - std::cos(double(float(i) * inverse) * std::numbers::pi)) / 2);
    return ease;
}

// Each of red, green and blue: ((c0 w0 + c1 w1) + c2 w2) + c3 w3 in float,
// truncated; alpha 255.
uint32_t interpolate(const uint32_t (&corner)[4], float u, float v) {
    const float weight[4] = {(1 - u) * (1 - v), u * (1 - v), (1 - u) * v, u * v};
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        float sum = 0;
        for (int k = 0; k < 4; ++k) sum += float(corner[k] >> shift & 0xFF) * weight[k];
        out |= uint32_t(sum) << shift;
    }
    return out;
}

}  // namespace

void SubPlasmaImage(GFXimage image, int32_t step, int32_t seed, int32_t range, bool colour) {
    // A step outside 1..256 would never finish; such a call draws nothing.
    if (step < 1 || step > kLargestStep || !hasPixels(image)) return;
    const uint32_t w = image.width, h = image.height, spacing = uint32_t(step);
    const uint32_t columnMask = w - 1, rowMask = h - 1;
    const uint32_t levelMask = uint32_t(range) - 1;
    // Only coordinates past the edge are masked: masking all of them would map
    // whole bands of an image whose size is not a power of two onto others and
    // leave those bands undrawn.
    const auto wrap = [](uint64_t c, uint32_t size, uint32_t mask) { return c < size ? c : c & mask; };
    const auto at = [&](uint64_t x, uint64_t y) {
        return pixelAddress(image, wrap(x, w, columnMask), wrap(y, h, rowMask));
    };

    RandomGenerator random{uint32_t(seed)};
    for (uint64_t y = 0; y < h; y += spacing)
        for (uint64_t x = 0; x < w; x += spacing) {
            const uint32_t red = random.draw(255) & levelMask;
            const uint32_t green = colour ? random.draw(255) & levelMask : red;
            const uint32_t blue = colour ? random.draw(255) & levelMask : red;
            *pixelAddress(image, x, y) = packRGBA(uint8_t(red), uint8_t(green), uint8_t(blue), 255);
        }
    if (spacing < 2) return;

    const std::array<float, kLargestStep> ease = easeTable(spacing);
    for (uint64_t y = 0; y < h; y += spacing)
        for (uint64_t x = 0; x < w; x += spacing) {
            const uint32_t corner[4] = {*at(x, y), *at(x + spacing, y), *at(x, y + spacing),
                                        *at(x + spacing, y + spacing)};
            for (uint32_t j = 0; j < spacing; ++j)
                for (uint32_t i = 0; i < spacing; ++i) *at(x + i, y + j) = interpolate(corner, ease[i], ease[j]);
        }
}
