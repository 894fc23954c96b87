// A grey radial glow: 255 at the centre, falling by 180 x falloff per unit of
// distance normalised per axis (edge midpoints at 1, corners at sqrt 2).
#include <cmath>

#include "core/image_math.h"
#include "effects/grey_pixel.h"

using namespace zorblit;

namespace {

// 0..255, truncated; below 0 and not-a-number give 0.
uint32_t glowLevel(float value) {
    if (value > 255.0f) return 255;
    return value > 0.0f ? uint32_t(value) : 0;
}

}  // namespace

void ParticleImage(GFXimage image, float falloff) {
    if (!hasPixels(image)) return;
    const uint32_t halfWidth = image.width >> 1, halfHeight = image.height >> 1;
    // A half-size of 0 gives an infinite scale, so an image one pixel across
    // gets a distance that is not a number, and level 0.
    const float xScale = 1.0f / float(halfWidth), yScale = 1.0f / float(halfHeight);
    const float k = falloff * 180.0f;
    for (uint32_t y = 0; y < image.height; ++y) {
        const float ny = float(int64_t(y) - halfHeight) * yScale;
        uint32_t *row = pixelAddress(image, 0, y);
        for (uint32_t x = 0; x < image.width; ++x) {
            const float nx = float(int64_t(x) - halfWidth) * xScale;
            const double distance = std::sqrt(double(nx * nx + ny * ny));
            const uint32_t level = glowLevel(float(255 - distance * k));
            row[x] = greyPixel(level);
        }
    }
}
