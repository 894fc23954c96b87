#include "transform/rotozoom.h"

#include <algorithm>
#include <cmath>

#include "core/image_math.h"

namespace zorblit {

std::optional<ZoomSteps> zoomSteps(float angle, float zoom) {
    const double sine = double(zoom) * std::sin(double(angle)) * 65536;
    const double cosine = double(zoom) * std::cos(double(angle)) * 65536;
    if (!std::isfinite(sine) || !std::isfinite(cosine)) return std::nullopt;
    static constexpr double limit = 0x1p47;
    const auto fixed = [](double v) { return int64_t(std::nearbyint(std::clamp(v, -limit, limit))); };
    return ZoomSteps{fixed(sine), fixed(cosine)};
}

// u, v are kept in wrapping unsigned arithmetic: for every size and step that
// fits, the result is the exact integer; beyond that it stays defined, and the
// range test keeps every read inside the source.
void rotoZoom(GFXimage dest, GFXimage source, float angle, float zoom, int64_t offsetX, int64_t offsetY) {
    if (dest.width == 0 || dest.height == 0) return;
    const std::optional<ZoomSteps> steps = zoomSteps(angle, zoom);
    if (!steps || source.width == 0 || source.height == 0) {
        std::fill_n(dest.data, pixelCount(dest), 0u);
        return;
    }
    const uint64_t S = uint64_t(steps->sine), C = uint64_t(steps->cosine);
    const uint64_t hw = dest.width >> 1, hh = dest.height >> 1;
    for (uint32_t y = 0; y < dest.height; ++y) {
        const uint64_t rowsAboveCentre = hh - y;
        uint64_t u = S * rowsAboveCentre + hw * (65536 - C) + uint64_t(offsetX);
        uint64_t v = (hh << 16) - S * hw - C * rowsAboveCentre + uint64_t(offsetY);
        uint32_t *row = pixelAddress(dest, 0, y);
        for (uint32_t x = 0; x < dest.width; ++x) {
            const uint64_t sx = uint64_t(int64_t(u) >> 16), sy = uint64_t(int64_t(v) >> 16);
            row[x] = sx < source.width && sy < source.height ? *pixelAddress(source, sx, sy) : 0;
            u += C;
            v += S;
        }
    }
}

}  // namespace zorblit

using namespace zorblit;

// The destination's centre shows the source's centre.
void RotoZoomImage(GFXimage dest, GFXimage source, float angle, float zoom) {
    const int64_t offsetX = (int64_t(source.width) - dest.width) * 32768;
    const int64_t offsetY = (int64_t(source.height) - dest.height) * 32768;
    rotoZoom(dest, source, angle, zoom, offsetX, offsetY);
}

// Shifted by a quarter of the size difference instead of a half.
void RotoZoomImageNoRepeat(GFXimage dest, GFXimage source, float angle, float zoom) {
    const int64_t offsetX = (int64_t(source.width) - dest.width) * 16384;
    const int64_t offsetY = (int64_t(source.height) - dest.height) * 16384;
    rotoZoom(dest, source, angle, zoom, offsetX, offsetY);
}
