// The seven sprite modes side by side over colour bands (unclipped: the sprite
// stays inside its panel), a rectangle captured with getImage and shown four
// times larger, and the sprite flying over it all, clipped at the screen's edges.
#include <cmath>

#include "artwork.h"
#include "scene.h"
#include "sprite_mode_list.h"

namespace demo {
namespace {

constexpr int kColumns = 4, kRows = 2;

void putInMode(SpriteMode mode, GFXimage screen, int x, int y, GFXimage sprite, uint8_t value) {
    switch (mode) {
    case SpriteMode::Copy: return putImage(screen, x, y, sprite);
    case SpriteMode::ColourKey: return putSprite(screen, x, y, sprite, kEmblemKey);
    case SpriteMode::Alpha: return putSpriteAlpha(screen, x, y, sprite);
    case SpriteMode::AlphaValue: return putSpriteAlphaValue(screen, x, y, sprite, value);
    case SpriteMode::Average: return putSpriteAverage(screen, x, y, sprite);
    case SpriteMode::Add: return putSpriteSaturatedAdd(screen, x, y, sprite);
    case SpriteMode::Subtract: return putSpriteSaturatedSub(screen, x, y, sprite);
    }
}

void drawCapture(GFXimage screen, const Rect &cell) {
    static OwnedImage capture(uint32_t(cell.width / 4), uint32_t((cell.height - 16) / 4));
    const Rect &source = gridCell(screen, 2, kColumns, kRows);  // the alpha panel's middle
    getImage(capture, uint32_t(source.x + source.width / 2 - cell.width / 8), uint32_t(source.y + source.height / 3),
             screen);
    ScaleImage(screen, cell.x, cell.y, cell.x + cell.width, cell.y + cell.height - 16, capture);
    drawLabel(screen, cell, "CAPTURED");
}

}  // namespace

void drawSpriteModes(const SceneFrame &f) {
    drawBackdrop(f.screen, f.frame);
    const GFXimage &sprite = emblemSprite();
    const auto value = uint8_t(255 * pingPong(f.frame, 120));
    int index = 0;
    for (const SpriteModeLabel &panel : kSpriteModes) {
        const Rect cell = gridCell(f.screen, index++, kColumns, kRows);
        drawColourBands(f.screen, cell);
        const float bob = std::sin(float(f.frame) * 0.05f + float(index));
        const int x = cell.x + (cell.width - int(sprite.width)) / 2 + int(bob * 12.0f);
        const int y = cell.y + (cell.height - int(sprite.height)) / 2 - 8;
        putInMode(panel.mode, f.screen, x, y, sprite, value);
        drawLabel(f.screen, cell, panel.label);
    }
    drawCapture(f.screen, gridCell(f.screen, index, kColumns, kRows));

    const float t = float(f.frame) * 0.013f;
    const int flyX = int(float(f.screen.width) * (0.5f + 0.48f * std::sin(t * 3.0f))) - int(sprite.width) / 2;
    const int flyY = int(float(f.screen.height) * (0.5f + 0.45f * std::sin(t * 2.0f))) - int(sprite.height) / 2;
    putSpriteAlphaClip(f.screen, flyX, flyY, sprite);
}

}  // namespace demo
