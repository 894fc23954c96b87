// The seven sprite modes side by side over colour bands, a rectangle captured
// with getImage and shown four times larger, and the sprite flying over it all.
#include <cmath>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

using SpriteMode = void (*)(GFXimage screen, int x, int y, const GFXimage &sprite, uint32_t frame);

struct ModePanel {
    const char *label;
    SpriteMode draw;
};

constexpr ModePanel kPanels[] = {
    {"COPY", [](GFXimage s, int x, int y, const GFXimage &sp, uint32_t) { putImageClip(s, x, y, sp); }},
    {"COLOUR KEY", [](GFXimage s, int x, int y, const GFXimage &sp, uint32_t) { putSpriteClip(s, x, y, sp, kEmblemKey); }},
    {"ALPHA", [](GFXimage s, int x, int y, const GFXimage &sp, uint32_t) { putSpriteAlphaClip(s, x, y, sp); }},
    {"ALPHA VALUE",
     [](GFXimage s, int x, int y, const GFXimage &sp, uint32_t frame) {
         putSpriteAlphaValueClip(s, x, y, sp, uint8_t(255 * pingPong(frame, 120)));
     }},
    {"AVERAGE", [](GFXimage s, int x, int y, const GFXimage &sp, uint32_t) { putSpriteAverageClip(s, x, y, sp); }},
    {"ADD", [](GFXimage s, int x, int y, const GFXimage &sp, uint32_t) { putSpriteSaturatedAddClip(s, x, y, sp); }},
    {"SUBTRACT", [](GFXimage s, int x, int y, const GFXimage &sp, uint32_t) { putSpriteSaturatedSubClip(s, x, y, sp); }},
};

constexpr int kColumns = 4, kRows = 2;

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
    int index = 0;
    for (const ModePanel &panel : kPanels) {
        const Rect cell = gridCell(f.screen, index++, kColumns, kRows);
        drawColourBands(f.screen, cell);
        const float bob = std::sin(float(f.frame) * 0.05f + float(index));
        const int x = cell.x + (cell.width - int(sprite.width)) / 2 + int(bob * 12.0f);
        const int y = cell.y + (cell.height - int(sprite.height)) / 2 - 8;
        panel.draw(f.screen, x, y, sprite, f.frame);
        drawLabel(f.screen, cell, panel.label);
    }
    drawCapture(f.screen, gridCell(f.screen, index, kColumns, kRows));

    const float t = float(f.frame) * 0.013f;
    const int flyX = int(float(f.screen.width) * (0.5f + 0.48f * std::sin(t * 3.0f))) - int(sprite.width) / 2;
    const int flyY = int(float(f.screen.height) * (0.5f + 0.45f * std::sin(t * 2.0f))) - int(sprite.height) / 2;
    putSpriteAlphaClip(f.screen, flyX, flyY, sprite);
}

}  // namespace demo
