// Procedural pictures: an animated sine plasma, a colour subdivision plasma with a
// new seed every two seconds, a grey plasma tile repeated (it tiles seamlessly),
// and glowing particles added onto the screen.
#include <cmath>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

void drawSinePlasma(GFXimage screen, const Rect &cell, uint32_t frame) {
    static OwnedImage plasma(uint32_t(cell.width), uint32_t(cell.height - 16));
    const float t = float(frame) * 0.02f;
    SinePlasmaImage(plasma, 0.04f + 0.03f * std::sin(t), 0.05f + 0.03f * std::cos(t * 0.7f), 256.0f);
    putImage(screen, cell.x, cell.y, plasma);
    drawLabel(screen, cell, "SINE PLASMA");
}

void drawSubPlasma(GFXimage screen, const Rect &cell, uint32_t frame) {
    static OwnedImage plasma(uint32_t(cell.width), uint32_t(cell.height - 16));
    SubPlasmaImage(plasma, 24, int32_t(frame / 120), 256, true);
    putImage(screen, cell.x, cell.y, plasma);
    drawLabel(screen, cell, "SUBDIVISION PLASMA");
}

void drawPlasmaTiles(GFXimage screen, const Rect &cell, uint32_t frame) {
    static OwnedImage tile = [] {
        OwnedImage t(64, 64);
        SubPlasmaImage(t, 16, 2024, 256, false);
        return t;
    }();
    static OwnedImage view(uint32_t(cell.width), uint32_t(cell.height - 16));
    const int scroll = int(frame % 64);
    for (int y = -64; y < int(view.get().height); y += 64)
        for (int x = -64; x < int(view.get().width); x += 64) putImageClip(view, x + scroll, y + scroll, tile);
    putImage(screen, cell.x, cell.y, view);
    drawLabel(screen, cell, "SEAMLESS TILES");
}

// A grey glow tinted by subtracting a colour from it.
OwnedImage makeGlow(GFXcolor removed) {
    OwnedImage glow(48, 48), tint(48, 48);
    ParticleImage(glow, 1.4f);
    FastFill(tint.get().data, 48 * 48, removed);
    SaturatedImageSub(glow, glow, tint);
    return glow;
}

void drawParticles(GFXimage screen, const Rect &cell, uint32_t frame) {
    static OwnedImage glows[] = {makeGlow(RGBA(0, 90, 200, 0)), makeGlow(RGBA(200, 60, 0, 0)),
                                 makeGlow(RGBA(120, 0, 40, 0))};
    DrawBar(screen, uint32_t(cell.x), uint32_t(cell.y), uint32_t(cell.x + cell.width - 1),
            uint32_t(cell.y + cell.height - 1), RGBA(0, 0, 0, 255));
    constexpr int kParticles = 60;
    for (int i = 0; i < kParticles; ++i) {
        const float t = float(frame) * 0.01f * (1.0f + float(i % 7) * 0.2f) + float(i);
        const int x = cell.x + cell.width / 2 + int(std::sin(t * 1.3f) * float(cell.width) * 0.4f) - 24;
        const int y = cell.y + (cell.height - 16) / 2 + int(std::cos(t * 1.7f) * float(cell.height) * 0.35f) - 24;
        putSpriteSaturatedAddClip(screen, x, y, glows[i % 3]);
    }
    drawLabel(screen, cell, "PARTICLE GLOW");
}

}  // namespace

void drawPlasmas(const SceneFrame &f) {
    FastFill(f.screen.data, f.screen.width * f.screen.height, RGBA(10, 10, 20, 255));
    drawSinePlasma(f.screen, gridCell(f.screen, 0, 2, 2), f.frame);
    drawSubPlasma(f.screen, gridCell(f.screen, 1, 2, 2), f.frame);
    drawPlasmaTiles(f.screen, gridCell(f.screen, 2, 2, 2), f.frame);
    drawParticles(f.screen, gridCell(f.screen, 3, 2, 2), f.frame);
}

}  // namespace demo
