// The sprite breathing between a quarter and twice its size in each sprite mode;
// the last panel grows it far past the edges of the screen.
#include <cmath>

#include "artwork.h"
#include "scene.h"
#include "sprite_mode_list.h"

namespace demo {
namespace {

constexpr int kColumns = 4, kRows = 2;

struct Box {
    int x1, y1, x2, y2;
};

void scaleInMode(SpriteMode mode, GFXimage screen, Box b, GFXimage sprite, uint8_t value) {
    switch (mode) {
    case SpriteMode::Copy: return ScaleImage(screen, b.x1, b.y1, b.x2, b.y2, sprite);
    case SpriteMode::ColourKey: return ScaleSprite(screen, b.x1, b.y1, b.x2, b.y2, kEmblemKey, sprite);
    case SpriteMode::Alpha: return ScaleSpriteAlpha(screen, b.x1, b.y1, b.x2, b.y2, sprite);
    case SpriteMode::AlphaValue: return ScaleSpriteAlphaValue(screen, b.x1, b.y1, b.x2, b.y2, value, sprite);
    case SpriteMode::Average: return ScaleSpriteAverage(screen, b.x1, b.y1, b.x2, b.y2, sprite);
    case SpriteMode::Add: return ScaleSpriteSaturatedAdd(screen, b.x1, b.y1, b.x2, b.y2, sprite);
    case SpriteMode::Subtract: return ScaleSpriteSaturatedSub(screen, b.x1, b.y1, b.x2, b.y2, sprite);
    }
}

}  // namespace

void drawScaling(const SceneFrame &f) {
    drawBackdrop(f.screen, f.frame);
    const GFXimage &sprite = emblemSprite();
    const auto value = uint8_t(255 * pingPong(f.frame, 120));
    const float stretch = 1.0f + 0.4f * std::sin(float(f.frame) * 0.03f);
    int index = 0;
    for (const SpriteModeLabel &panel : kSpriteModes) {
        const Rect cell = gridCell(f.screen, index++, kColumns, kRows);
        drawColourBands(f.screen, cell);
        const float size = float(sprite.width) * (0.25f + pingPong(f.frame + uint32_t(index) * 9, 150));
        const int cx = cell.x + cell.width / 2, cy = cell.y + (cell.height - 14) / 2;
        const int halfW = int(size * stretch / 2), halfH = int(size / stretch / 2);
        scaleInMode(panel.mode, f.screen, {cx - halfW, cy - halfH, cx + halfW, cy + halfH}, sprite, value);
        drawLabel(f.screen, cell, panel.label);
    }
    const Rect last = gridCell(f.screen, index, kColumns, kRows);
    const int reach = 40 + int(400.0f * pingPong(f.frame, 300));
    ScaleSpriteAlpha(f.screen, last.x + 8, last.y + 8, last.x + 8 + reach, last.y + 8 + reach, sprite);
    drawLabel(f.screen, last, "PAST THE EDGES");
}

}  // namespace demo
