// The sprite turning in each sprite mode, each panel at its own speed; the last
// panel turns a copy half off the screen.
#include "artwork.h"
#include "scene.h"
#include "sprite_mode_list.h"

namespace demo {
namespace {

constexpr int kColumns = 4, kRows = 2;

void rotateInMode(SpriteMode mode, GFXimage screen, int x, int y, int angle, GFXimage sprite, uint8_t value) {
    switch (mode) {
    case SpriteMode::Copy: return RotateImage(screen, x, y, angle, sprite);
    case SpriteMode::ColourKey: return RotateSprite(screen, x, y, angle, kEmblemKey, sprite);
    case SpriteMode::Alpha: return RotateSpriteAlpha(screen, x, y, angle, sprite);
    case SpriteMode::AlphaValue: return RotateSpriteAlphaValue(screen, x, y, angle, value, sprite);
    case SpriteMode::Average: return RotateSpriteAverage(screen, x, y, angle, sprite);
    case SpriteMode::Add: return RotateSpriteSaturatedAdd(screen, x, y, angle, sprite);
    case SpriteMode::Subtract: return RotateSpriteSaturatedSub(screen, x, y, angle, sprite);
    }
}

}  // namespace

void drawRotation(const SceneFrame &f) {
    drawBackdrop(f.screen, f.frame);
    const GFXimage &sprite = emblemSprite();
    const int half = int(sprite.width) / 2;
    const auto value = uint8_t(255 * pingPong(f.frame, 120));
    int index = 0;
    for (const SpriteModeLabel &panel : kSpriteModes) {
        const Rect cell = gridCell(f.screen, index++, kColumns, kRows);
        drawColourBands(f.screen, cell);
        const int angle = int(f.frame * uint32_t(index) % 360);
        const int x = cell.x + cell.width / 2 - half, y = cell.y + (cell.height - 14) / 2 - half;
        rotateInMode(panel.mode, f.screen, x, y, angle, sprite, value);
        drawLabel(f.screen, cell, panel.label);
    }
    const Rect last = gridCell(f.screen, index, kColumns, kRows);
    RotateSpriteAlpha(f.screen, last.x + last.width - half, last.y + last.height - half, int(f.frame * 2 % 360),
                      sprite);
    drawLabel(f.screen, last, "OFF THE EDGE");
}

}  // namespace demo
