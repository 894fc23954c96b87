// One small picture through the whole-image effects: blur trails, fades to black
// and to white, inversion and a cross-fade with a plasma.
#include <cmath>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

constexpr int kColumns = 3, kRows = 2;

OwnedImage makePicture(uint32_t width, uint32_t height) {
    OwnedImage picture(width, height);
    const Rect all{0, 0, int(width), int(height)};
    drawColourBands(picture, all);
    putSpriteAlpha(picture, int(width - 96) / 2, int(height - 96) / 2, emblemSprite());
    gfxFontHeight = 16;
    DrawTextClip(picture, 6, 6, "zorblit", RGBA(255, 255, 255, 255));
    gfxFontHeight = 8;
    return picture;
}

struct Panels {
    OwnedImage picture, work, trail, plasma;
    explicit Panels(const Rect &cell)
        : picture(makePicture(uint32_t(cell.width), uint32_t(cell.height - 16))),
          work(picture.get().width, picture.get().height),
          trail(picture.get().width, picture.get().height),
          plasma(picture.get().width, picture.get().height) {
        SinePlasmaImage(plasma, 0.09f, 0.07f, 256.0f);
    }
};

void show(GFXimage screen, const Rect &cell, GFXimage image, const char *label) {
    putImage(screen, cell.x, cell.y, image);
    drawLabel(screen, cell, label);
}

void copyPicture(Panels &p) {
    FastMove(p.picture.get().data, p.work.get().data, p.picture.get().width * p.picture.get().height);
}

}  // namespace

void drawBlurAndFades(const SceneFrame &f) {
    FastFill(f.screen.data, f.screen.width * f.screen.height, RGBA(10, 10, 20, 255));
    static Panels p(gridCell(f.screen, 0, kColumns, kRows));
    const GFXimage trail = p.trail;
    const float t = float(f.frame) * 0.05f;

    show(f.screen, gridCell(f.screen, 0, kColumns, kRows), p.picture, "PICTURE");

    BlurImage(trail);
    DrawFilledCircleClip(trail, int(float(trail.width) * (0.5f + 0.4f * std::sin(t))),
                         int(float(trail.height) * (0.5f + 0.35f * std::cos(t * 1.3f))), 10, RGBA(255, 230, 120, 255));
    show(f.screen, gridCell(f.screen, 1, kColumns, kRows), trail, "BLUR TRAILS");

    copyPicture(p);
    Fade2BlackImage(p.work, uint8_t(255 * pingPong(f.frame, 180)));
    show(f.screen, gridCell(f.screen, 2, kColumns, kRows), p.work, "FADE TO BLACK");

    Fade2WhiteImage2Screen(p.work, p.picture, uint8_t(255 * pingPong(f.frame, 180)));
    show(f.screen, gridCell(f.screen, 3, kColumns, kRows), p.work, "FADE TO WHITE");

    copyPicture(p);
    InvertImageColors(p.work);
    show(f.screen, gridCell(f.screen, 4, kColumns, kRows), p.work, "INVERTED");

    AlphaImage(p.work, p.picture, p.plasma, uint8_t(255 * pingPong(f.frame, 240)));
    show(f.screen, gridCell(f.screen, 5, kColumns, kRows), p.work, "CROSS-FADE");
}

}  // namespace demo
