// The sprite breathing between a quarter and twice its size in each sprite mode;
// the last panel grows it far past the edges of the screen.
#include <cmath>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

using ScaleMode = void (*)(GFXimage screen, int x1, int y1, int x2, int y2, const GFXimage &sprite, uint32_t frame);

struct ModePanel {
    const char *label;
    ScaleMode draw;
};

constexpr ModePanel kPanels[] = {
    {"COPY", [](GFXimage s, int x1, int y1, int x2, int y2, const GFXimage &sp, uint32_t) { ScaleImage(s, x1, y1, x2, y2, sp); }},
    {"COLOUR KEY",
     [](GFXimage s, int x1, int y1, int x2, int y2, const GFXimage &sp, uint32_t) { ScaleSprite(s, x1, y1, x2, y2, kEmblemKey, sp); }},
    {"ALPHA", [](GFXimage s, int x1, int y1, int x2, int y2, const GFXimage &sp, uint32_t) { ScaleSpriteAlpha(s, x1, y1, x2, y2, sp); }},
    {"ALPHA VALUE",
     [](GFXimage s, int x1, int y1, int x2, int y2, const GFXimage &sp, uint32_t frame) {
         ScaleSpriteAlphaValue(s, x1, y1, x2, y2, uint8_t(255 * pingPong(frame, 120)), sp);
     }},
    {"AVERAGE", [](GFXimage s, int x1, int y1, int x2, int y2, const GFXimage &sp, uint32_t) { ScaleSpriteAverage(s, x1, y1, x2, y2, sp); }},
    {"ADD", [](GFXimage s, int x1, int y1, int x2, int y2, const GFXimage &sp, uint32_t) { ScaleSpriteSaturatedAdd(s, x1, y1, x2, y2, sp); }},
    {"SUBTRACT", [](GFXimage s, int x1, int y1, int x2, int y2, const GFXimage &sp, uint32_t) { ScaleSpriteSaturatedSub(s, x1, y1, x2, y2, sp); }},
};

constexpr int kColumns = 4, kRows = 2;

}  // namespace

void drawScaling(const SceneFrame &f) {
    drawBackdrop(f.screen, f.frame);
    const GFXimage &sprite = emblemSprite();
    int index = 0;
    for (const ModePanel &panel : kPanels) {
        const Rect cell = gridCell(f.screen, index++, kColumns, kRows);
        drawColourBands(f.screen, cell);
        const float size = float(sprite.width) * (0.25f + 1.0f * pingPong(f.frame + uint32_t(index) * 9, 150));
        const float stretch = 1.0f + 0.4f * std::sin(float(f.frame) * 0.03f);
        const int cx = cell.x + cell.width / 2, cy = cell.y + (cell.height - 14) / 2;
        const int halfW = int(size * stretch / 2), halfH = int(size / stretch / 2);
        panel.draw(f.screen, cx - halfW, cy - halfH, cx + halfW, cy + halfH, sprite, f.frame);
        drawLabel(f.screen, cell, panel.label);
    }
    const Rect last = gridCell(f.screen, index, kColumns, kRows);
    const int reach = 40 + int(400.0f * pingPong(f.frame, 300));
    ScaleSpriteAlpha(f.screen, last.x + 8, last.y + 8, last.x + 8 + reach, last.y + 8 + reach, sprite);
    drawLabel(f.screen, last, "PAST THE EDGES");
}

}  // namespace demo
