#include "artwork.h"

#include <algorithm>
#include <cmath>
#include <iterator>


namespace demo {
namespace {

constexpr int kMargin = 6;
constexpr int kLabelHeight = 14;
constexpr uint32_t kEmblemSize = 96;

void paintDisc(GFXimage image) {
    const float centre = float(image.width - 1) / 2.0f;
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x) {
            const float dx = float(x) - centre, dy = float(y) - centre;
            const float d = std::sqrt(dx * dx + dy * dy) / centre;  // 0 centre, 1 rim
            if (d > 1.0f) continue;
            const float light =
                std::clamp(1.1f - 0.6f * std::sqrt((dx + 20) * (dx + 20) + (dy + 20) * (dy + 20)) / centre, 0.3f, 1.0f);
            const auto alpha = uint8_t(std::clamp((1.0f - d) * 4.0f, 0.0f, 1.0f) * 255.0f);
            putPixelRGBA(image, x, y, uint8_t(255 * light), uint8_t(140 * light), uint8_t(30 * light), alpha);
        }
}

void paintArrow(GFXimage image) {
    const uint32_t s = image.width, c = s / 2;
    const GFXcolor white = RGBA(255, 255, 255, 255);
    DrawFilledTriangle(image, c, s / 6, s / 4, s / 2, s - s / 4, s / 2, white);
    DrawBar(image, c - s / 12, s / 2, c + s / 12, s - s / 4, white);
}

}  // namespace

Rect gridCell(GFXimage screen, int index, int columns, int rows) {
    const int width = (int(screen.width) - kMargin) / columns;
    const int height = (int(screen.height) - kTitleHeight - kMargin) / rows;
    return {kMargin + (index % columns) * width, kTitleHeight + kMargin + (index / columns) * height, width - kMargin,
            height - kMargin};
}

void drawBackdrop(GFXimage image, uint32_t frame) {
    constexpr int kCell = 16;
    const int shift = int(frame / 2 % (2 * kCell));
    for (int y = -2 * kCell; y < int(image.height); y += kCell)
        for (int x = -2 * kCell; x < int(image.width); x += kCell) {
            const bool light = ((x + y) / kCell) % 2 == 0;
            const uint8_t level = light ? 70 : 40;
            DrawBarClip(image, x + shift, y + shift, x + shift + kCell - 1, y + shift + kCell - 1,
                        RGBA(level, level, uint8_t(level + 20), 255));
        }
}

const GFXimage &emblemSprite() {
    static OwnedImage emblem = [] {
        OwnedImage image(kEmblemSize, kEmblemSize);
        paintDisc(image);
        paintArrow(image);
        return image;
    }();
    return emblem.get();
}

void drawColourBands(GFXimage screen, const Rect &cell) {
    constexpr GFXcolor kBands[] = {0xFFC03030, 0xFF30A040, 0xFF3050C0, 0xFFE0E0E0, 0xFF606060};
    constexpr int kCount = int(std::size(kBands));
    for (int i = 0; i < kCount; ++i)
        DrawBarClip(screen, cell.x + cell.width * i / kCount, cell.y, cell.x + cell.width * (i + 1) / kCount - 1,
                    cell.y + cell.height - 1, kBands[i]);
}

void drawLabel(GFXimage screen, const Rect &cell, const char *text, GFXcolor colour) {
    uint32_t width;
    GetTextSize(text, &width, nullptr);
    const int x = cell.x + (cell.width - int(width)) / 2;
    const int y = cell.y + cell.height - kLabelHeight + 3;
    DrawTextClip(screen, x + 1, y + 1, text, RGBA(0, 0, 0, 255));
    DrawTextClip(screen, x, y, text, colour);
}

float pingPong(uint32_t frame, uint32_t period) {
    const float phase = float(frame % period) / float(period);
    return phase < 0.5f ? phase * 2.0f : 2.0f - phase * 2.0f;
}

}  // namespace demo
