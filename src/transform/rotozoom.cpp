#include "transform/rotozoom.h"

#include <algorithm>
#include <cmath>

#include "core/area.h"
#include "core/image_math.h"
#include "kernels/zoom_row.h"

namespace zorblit {

std::optional<ZoomSteps> zoomSteps(float angle, float zoom) {
    const double sine = double(zoom) * std::sin(double(angle)) * 65536;
    const double cosine = double(zoom) * std::cos(double(angle)) * 65536;
    if (!std::isfinite(sine) || !std::isfinite(cosine)) return std::nullopt;
    static constexpr double limit = 0x1p47;
    const auto fixed = [](double v) { return int64_t(std::nearbyint(std::clamp(v, -limit, limit))); };
    return ZoomSteps{fixed(sine), fixed(cosine)};
}

namespace {

// The columns x in [0, count) whose position start + x * step lies in [0, limit);
// positions are exact in 64 bits.
Span insideSpan(int64_t start, int64_t step, int64_t limit, int64_t count) {
    if (step == 0) return start >= 0 && start < limit ? Span{0, count} : Span{0, 0};
    // floor((a) / b) for b > 0, and the bounds from there, one for each direction.
    const auto floorDiv = [](int64_t a, int64_t b) { return a / b - (a % b != 0 && a < 0); };
    const int64_t size = std::abs(step);
    // Growing: start + x * step >= 0 and <= limit - 1; shrinking mirrors it.
    const int64_t low = step > 0 ? -start : start - (limit - 1), high = step > 0 ? limit - 1 - start : start;
    return {std::max<int64_t>(0, -floorDiv(-low, size)), std::min(count, floorDiv(high, size) + 1)};
}

// Positions stay exact over a row when both ends lie well inside 64 bits.
bool rowIsExact(int64_t start, int64_t step, uint32_t count) {
    constexpr int64_t kSafe = int64_t(1) << 61;
    return std::abs(start) < kSafe && std::abs(step) < kSafe / (int64_t(count) + 1);
}

// Where one destination row starts in the source, and which of its columns
// sample the source. u, v are kept in wrapping unsigned arithmetic: for every size
// and step that fits, the result is the exact integer; beyond that it stays
// defined, and the range test keeps every read inside the source.
struct RowStart {
    uint64_t u, v;
    bool exact;  // positions stay inside 64 bits, and inside is the span of columns in the source
    Span inside;  // within [0, width], first <= end
};

// Columns [x0, x1) of one row. Rows whose positions are exact copy the columns
// that sample the source without tests (their other columns are already 0); the
// others test every pixel.
void sampleRowPart(uint32_t *row, int64_t x0, int64_t x1, const RowStart &start, int64_t C, int64_t S,
                   const GFXimage &source) {
    if (!start.exact) {
        uint64_t u = start.u + uint64_t(x0) * uint64_t(C), v = start.v + uint64_t(x0) * uint64_t(S);
        for (int64_t x = x0; x < x1; ++x, u += uint64_t(C), v += uint64_t(S)) {
            const uint64_t sx = uint64_t(int64_t(u) >> 16), sy = uint64_t(int64_t(v) >> 16);
            row[x] = sx < source.width && sy < source.height ? *pixelAddress(source, sx, sy) : 0;
        }
        return;
    }
    const int64_t first = std::clamp(start.inside.first, x0, x1), end = std::clamp(start.inside.end, first, x1);
    kernels::sampleAlong(row + first, end - first, int64_t(start.u) + first * C, int64_t(start.v) + first * S, C, S, source);
}

// Every position of the walk is a base below 2^48 in size plus C and S times
// column and row distances from the centre, each at most reach. The steps are
// held so that no position reaches 2^62, where 64-bit positions would wrap.
// Destinations up to 32767 pixels a side keep every step (the limit is then at
// least 2^47, where zoomSteps holds them already).
ZoomSteps heldWithin64Bits(ZoomSteps steps, const GFXimage &dest) {
    constexpr int64_t kPositionLimit = int64_t(1) << 62, kBaseLimit = int64_t(1) << 48;
    const int64_t reach = std::max<int64_t>(std::max(dest.width, dest.height) >> 1, 1);
    const int64_t limit = (kPositionLimit - kBaseLimit) / (2 * reach);
    return {std::clamp(steps.sine, -limit, limit), std::clamp(steps.cosine, -limit, limit)};
}

}  // namespace

// Rows go in bands. A walk steeper than the diagonal reads, along one row, a pixel
// from each of hundreds of source rows, whose addresses differ by a power of two
// when the width is one and so compete for the same few cache sets. Such bands are
// filled in strips of columns: a strip's rows read about ten source rows, and each
// row reuses what the one above it read. Other walks fill whole rows.
void rotoZoom(GFXimage dest, GFXimage source, float angle, float zoom, int64_t offsetX, int64_t offsetY) {
    if (!hasPixels(dest)) return;
    const std::optional<ZoomSteps> steps = zoomSteps(angle, zoom);
    if (!steps || !hasPixels(source)) {
        std::fill_n(dest.data, pixelCount(dest), 0u);
        return;
    }
    const ZoomSteps held = heldWithin64Bits(*steps, dest);
    const int64_t S = held.sine, C = held.cosine;
    const uint64_t hw = dest.width >> 1, hh = dest.height >> 1;
    const int64_t sourceWidth = int64_t(source.width) << 16, sourceHeight = int64_t(source.height) << 16;
    constexpr uint32_t kBandRows = 64;
    // Strips span about ten source rows; walks that cover more than one source
    // row per pixel gained nothing from strips in measurements.
    const bool steep = std::abs(S) > std::abs(C) && std::abs(S) <= 65536;
    const int64_t strip = steep ? std::min<int64_t>((10 << 16) / std::abs(S), 64) : int64_t(dest.width);
    RowStart starts[kBandRows];
    for (uint32_t y0 = 0; y0 < dest.height; y0 += kBandRows) {
        const uint32_t rows = std::min(kBandRows, dest.height - y0);
        for (uint32_t i = 0; i < rows; ++i) {
            const uint64_t rowsAboveCentre = hh - (y0 + i);
            RowStart &start = starts[i];
            start.u = uint64_t(S) * rowsAboveCentre + hw * (65536 - uint64_t(C)) + uint64_t(offsetX);
            start.v = (hh << 16) - uint64_t(S) * hw - uint64_t(C) * rowsAboveCentre + uint64_t(offsetY);
            start.exact = rowIsExact(int64_t(start.u), C, dest.width) && rowIsExact(int64_t(start.v), S, dest.width);
            if (!start.exact) continue;
            const Span across = insideSpan(int64_t(start.u), C, sourceWidth, dest.width);
            const Span down = insideSpan(int64_t(start.v), S, sourceHeight, dest.width);
            const int64_t first = std::min<int64_t>(std::max(across.first, down.first), dest.width);
            start.inside = {first, std::max(first, std::min(across.end, down.end))};
            // Columns outside the source, once per row here, so that the loops
            // below make no library calls and keep their constants in registers.
            uint32_t *row = pixelAddress(dest, 0, y0 + i);
            std::fill(row, row + start.inside.first, 0u);
            std::fill(row + start.inside.end, row + dest.width, 0u);
        }
        for (int64_t x0 = 0; x0 < int64_t(dest.width); x0 += strip) {
            const int64_t x1 = std::min(x0 + strip, int64_t(dest.width));
            for (uint32_t i = 0; i < rows; ++i) sampleRowPart(pixelAddress(dest, 0, y0 + i), x0, x1, starts[i], C, S, source);
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
