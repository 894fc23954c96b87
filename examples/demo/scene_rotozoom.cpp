// A colour plasma texture with the sprite on it, turned and zoomed over two
// panels: RotoZoomImage and RotoZoomImageNoRepeat.
#include <cmath>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

const GFXimage &texture() {
    static OwnedImage image = [] {
        OwnedImage t(128, 128);
        SubPlasmaImage(t, 16, 7, 256, true);
        putSpriteAlpha(t, 16, 16, emblemSprite());
        DrawRectangle(t, 0, 0, 127, 127, RGBA(255, 255, 255, 255));
        return t;
    }();
    return image.get();
}

void drawPanel(GFXimage screen, const Rect &cell, GFXimage view, const char *label) {
    putImage(screen, cell.x + (cell.width - int(view.width)) / 2, cell.y, view);
    drawLabel(screen, cell, label);
}

}  // namespace

void drawRotoZoom(const SceneFrame &f) {
    FastFill(f.screen.data, f.screen.width * f.screen.height, RGBA(10, 10, 20, 255));
    const Rect left = gridCell(f.screen, 0, 2, 1), right = gridCell(f.screen, 1, 2, 1);
    static OwnedImage repeating(uint32_t(left.width), uint32_t(left.height - 16));
    static OwnedImage single(uint32_t(right.width), uint32_t(right.height - 16));
    const float angle = float(f.frame) * 0.015f;
    const float zoom = 0.35f + 1.6f * pingPong(f.frame, 400);
    RotoZoomImage(repeating, texture(), angle, zoom);
    RotoZoomImageNoRepeat(single, texture(), -angle, zoom);
    drawPanel(f.screen, left, repeating, "ROTOZOOMIMAGE");
    drawPanel(f.screen, right, single, "NOREPEAT");
}

}  // namespace demo
