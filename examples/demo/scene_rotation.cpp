// The sprite turning in each sprite mode, each panel at its own speed; the last
// panel turns a large copy half off the screen.
#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

using RotateMode = void (*)(GFXimage screen, int x, int y, int angle, const GFXimage &sprite, uint32_t frame);

struct ModePanel {
    const char *label;
    RotateMode draw;
};

constexpr ModePanel kPanels[] = {
    {"COPY", [](GFXimage s, int x, int y, int a, const GFXimage &sp, uint32_t) { RotateImage(s, x, y, a, sp); }},
    {"COLOUR KEY", [](GFXimage s, int x, int y, int a, const GFXimage &sp, uint32_t) { RotateSprite(s, x, y, a, kEmblemKey, sp); }},
    {"ALPHA", [](GFXimage s, int x, int y, int a, const GFXimage &sp, uint32_t) { RotateSpriteAlpha(s, x, y, a, sp); }},
    {"ALPHA VALUE",
     [](GFXimage s, int x, int y, int a, const GFXimage &sp, uint32_t frame) {
         RotateSpriteAlphaValue(s, x, y, a, uint8_t(255 * pingPong(frame, 120)), sp);
     }},
    {"AVERAGE", [](GFXimage s, int x, int y, int a, const GFXimage &sp, uint32_t) { RotateSpriteAverage(s, x, y, a, sp); }},
    {"ADD", [](GFXimage s, int x, int y, int a, const GFXimage &sp, uint32_t) { RotateSpriteSaturatedAdd(s, x, y, a, sp); }},
    {"SUBTRACT", [](GFXimage s, int x, int y, int a, const GFXimage &sp, uint32_t) { RotateSpriteSaturatedSub(s, x, y, a, sp); }},
};

constexpr int kColumns = 4, kRows = 2;

}  // namespace

void drawRotation(const SceneFrame &f) {
    drawBackdrop(f.screen, f.frame);
    const GFXimage &sprite = emblemSprite();
    const int half = int(sprite.width) / 2;
    int index = 0;
    for (const ModePanel &panel : kPanels) {
        const Rect cell = gridCell(f.screen, index++, kColumns, kRows);
        drawColourBands(f.screen, cell);
        const int angle = int(f.frame * uint32_t(index)) % 360;
        panel.draw(f.screen, cell.x + cell.width / 2 - half, cell.y + (cell.height - 14) / 2 - half, angle, sprite,
                   f.frame);
        drawLabel(f.screen, cell, panel.label);
    }
    const Rect last = gridCell(f.screen, index, kColumns, kRows);
    RotateSpriteAlpha(f.screen, last.x + last.width - half, last.y + last.height - half, int(f.frame * 2 % 360),
                      sprite);
    drawLabel(f.screen, last, "OFF THE EDGE");
}

}  // namespace demo
