// An HSV wheel (hue round the circle, saturation outwards, value breathing) and a
// column of colours taken apart into cyan, magenta, yellow and black, then put
// back together through CYMK2RGB.
#include <algorithm>
#include <cmath>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

void drawWheel(GFXimage screen, const Rect &cell, uint8_t value) {
    const int radius = std::min(cell.width, cell.height - 16) / 2 - 2;
    const int cx = cell.x + cell.width / 2, cy = cell.y + (cell.height - 16) / 2;
    constexpr float kTurn = 6.2831853f;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const float distance = std::sqrt(float(dx * dx + dy * dy));
            if (distance > float(radius)) continue;
            // PolarAngle gives -pi/2 .. 3pi/2; hue runs once round the circle.
            const float turns = PolarAngle(float(-dy), float(dx)) / kTurn + 0.25f;
            uint8_t r, g, b;
            HSV2RGB(uint8_t(int(turns * 256.0f) & 255), uint8_t(distance * 255.0f / float(radius)), value, &r, &g, &b);
            putPixelRGBA(screen, uint32_t(cx + dx), uint32_t(cy + dy), r, g, b, 255);
        }
    drawLabel(screen, cell, "HSV WHEEL");
}

void drawBar(GFXimage screen, int x, int y, int length, GFXcolor colour) {
    DrawBarClip(screen, x, y, x + length, y + 5, colour);
}

void drawSeparations(GFXimage screen, const Rect &cell, uint32_t frame) {
    constexpr int kRowsShown = 8;
    const int rowHeight = (cell.height - 16) / kRowsShown;
    const int barSpace = cell.width - 3 * rowHeight - 12;
    for (int i = 0; i < kRowsShown; ++i) {
        uint8_t r, g, b, c, yellow, m, k, r2, g2, b2;
        HSV2RGB(uint8_t(frame + uint32_t(i) * 32), uint8_t(120 + i * 16), uint8_t(255 - i * 12), &r, &g, &b);
        RGB2CYMK(r, g, b, &c, &yellow, &m, &k);
        CYMK2RGB(c, yellow, m, k, &r2, &g2, &b2);
        const int y = cell.y + i * rowHeight;
        DrawBarClip(screen, cell.x, y, cell.x + rowHeight - 3, y + rowHeight - 3, RGBA(r, g, b, 255));
        DrawBarClip(screen, cell.x + rowHeight, y, cell.x + 2 * rowHeight - 3, y + rowHeight - 3,
                    RGBA(r2, g2, b2, 255));
        const int bars = cell.x + 2 * rowHeight + 6;
        drawBar(screen, bars, y, c * barSpace / 255, RGBA(0, 255, 255, 255));
        drawBar(screen, bars, y + 6, m * barSpace / 255, RGBA(255, 0, 255, 255));
        drawBar(screen, bars, y + 12, yellow * barSpace / 255, RGBA(255, 255, 0, 255));
        drawBar(screen, bars, y + 18, k * barSpace / 255, RGBA(128, 128, 128, 255));
    }
    drawLabel(screen, cell, "RGB, CMYK, BACK");
}

}  // namespace

void drawColourModels(const SceneFrame &f) {
    FastFill(f.screen.data, f.screen.width * f.screen.height, RGBA(24, 24, 32, 255));
    drawWheel(f.screen, gridCell(f.screen, 0, 2, 1), uint8_t(128 + 127 * pingPong(f.frame, 240)));
    drawSeparations(f.screen, gridCell(f.screen, 1, 2, 1), f.frame);
}

}  // namespace demo
