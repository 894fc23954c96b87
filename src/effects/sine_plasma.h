// The grey sine plasma: level = round((63.5 sin(x dx) + (63.5 sin(y dy) + 127))
// * brightness / 256), alpha 255, evaluated as the form's plasma rule says: no
// sine inside the loops and the level clamped into 0..255 (rotated float), or
// every sine directly in double and the level reduced modulo 256 (direct double).
#pragma once
#include <cmath>

#include "core/form.h"
#include "effects/grey_pixel.h"

namespace zorblit {

// Rotated float. The column phase restarts at 0 on every row in
// four lanes (0, dx, 2 dx, 3 dx) that rotate by 4 dx per step with the angle
// addition formulas; the row phase rotates by dy per row.
inline void sinePlasmaRotatedFloat(const GFXimage &image, float dx, float dy, float brightness) {
    if (!image.data || int32_t(image.width) <= 0 || int32_t(image.height) <= 0) return;
    constexpr int kLanes = 4;
    const uint32_t w = image.width, h = image.height;
    const float scale = brightness * (1.0f / 256);
    float startSin[kLanes], startCos[kLanes];
    for (int l = 0; l < kLanes; ++l) {
        startSin[l] = std::sin(float(l) * dx);
        startCos[l] = std::cos(float(l) * dx);
    }
    const float stepSin = std::sin(kLanes * dx), stepCos = std::cos(kLanes * dx);
    const float rowStepSin = std::sin(dy), rowStepCos = std::cos(dy);

    // Clamped to 0..255 first (a level that is not a number becomes 0), then
    // rounded half to even: adding and removing 1.5 * 2^23 leaves no fraction bits.
    const auto level = [scale](float wave, float rowTerm) {
        float v = (63.5f * wave + rowTerm) * scale;
        v = v > 0.0f ? v : 0.0f;
        v = v < 255.0f ? v : 255.0f;
        return uint32_t((v + 12582912.0f) - 12582912.0f);
    };

    // The phases start at 0 x dx and 0 x dy, so a step that is not a finite
    // number makes every level not a number from the first pixel on.
    float rowSin = std::sin(0.0f * dy), rowCos = std::cos(0.0f * dy);
    for (uint32_t y = 0; y < h; ++y) {
        const float rowTerm = 63.5f * rowSin + 127.0f;
        uint32_t *row = pixelAddress(image, 0, y);
        float s[kLanes], c[kLanes];
        for (int l = 0; l < kLanes; ++l) s[l] = startSin[l], c[l] = startCos[l];
        uint32_t x = 0;
        for (; x + kLanes <= w; x += kLanes) {
            for (int l = 0; l < kLanes; ++l) {
                row[x + l] = greyPixel(level(s[l], rowTerm));
                const float rotatedSin = s[l] * stepCos + c[l] * stepSin;
                c[l] = c[l] * stepCos - s[l] * stepSin;
                s[l] = rotatedSin;
            }
        }
        for (int l = 0; x < w; ++x, ++l) row[x] = greyPixel(level(s[l], rowTerm));

        const float nextRowSin = rowSin * rowStepCos + rowCos * rowStepSin;
        rowCos = rowCos * rowStepCos - rowSin * rowStepSin;
        rowSin = nextRowSin;
    }
}

// Direct double: x dx and y dy are formed in float, the sines in double, the row
// term held as a float. A level that is not a finite number becomes 0.
inline void sinePlasmaDirectDouble(const GFXimage &image, float dx, float dy, float brightness) {
    const double scale = double(brightness) / 256;
    for (uint32_t y = 0; y < image.height; ++y) {
        const float rowTerm = float(127 + 63.5 * std::sin(double(float(y) * dy)));
        uint32_t *row = pixelAddress(image, 0, y);
        for (uint32_t x = 0; x < image.width; ++x) {
            const double rounded = std::nearbyint((63.5 * std::sin(double(float(x) * dx)) + rowTerm) * scale);
            double level = std::isfinite(rounded) ? std::fmod(rounded, 256.0) : 0.0;
            if (level < 0) level += 256;
            row[x] = greyPixel(uint32_t(level));
        }
    }
}

template <class Form>
void sinePlasma(const GFXimage &image, float dx, float dy, float brightness) {
    if (!hasPixels(image)) return;
    if constexpr (Form::plasma == PlasmaKind::RotatedFloat)
        sinePlasmaRotatedFloat(image, dx, dy, brightness);
    else
        sinePlasmaDirectDouble(image, dx, dy, brightness);
}

}  // namespace zorblit
