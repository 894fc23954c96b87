// The pictures every reader made from the generated asset files, each scaled to
// its panel (the PNG over the checkerboard through its alpha), and what a reader
// answers for a file that is not there.
#include <algorithm>
#include <cstdio>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

constexpr int kColumns = 3, kRows = 2;

void showImage(GFXimage screen, const Rect &cell, GFXimage image, const char *format) {
    char label[48];
    if (!image.data) {
        std::snprintf(label, sizeof label, "%s: NOT READ", format);
        drawLabel(screen, cell, label, RGBA(255, 90, 90, 255));
        return;
    }
    const int room = std::min(cell.width, cell.height - 16);
    const int x = cell.x + (cell.width - room) / 2;
    ScaleSpriteAlpha(screen, x, cell.y, x + room, cell.y + room, image);
    std::snprintf(label, sizeof label, "%s %ux%u", format, image.width, image.height);
    drawLabel(screen, cell, label);
}

void showMissingFile(GFXimage screen, const Rect &cell) {
    GFXimage untouched{};
    const bool read = pngLoad(&untouched, "no-such-file.png");
    DrawTextClip(screen, cell.x + 4, cell.y + 20, "pngLoad(missing)", RGBA(255, 255, 255, 255));
    DrawTextClip(screen, cell.x + 4, cell.y + 36, read ? "= true ?!" : "= false", RGBA(255, 200, 80, 255));
    DrawTextClip(screen, cell.x + 4, cell.y + 52, untouched.data ? "image set ?!" : "image untouched",
             RGBA(255, 200, 80, 255));
    drawLabel(screen, cell, "BAD FILES");
}

}  // namespace

void drawReaders(const SceneFrame &f) {
    drawBackdrop(f.screen, f.frame);
    const LoadedImages &images = f.images;
    showImage(f.screen, gridCell(f.screen, 0, kColumns, kRows), images.png, "PNG");
    showImage(f.screen, gridCell(f.screen, 1, kColumns, kRows), images.jpeg, "JPEG");
    showImage(f.screen, gridCell(f.screen, 2, kColumns, kRows), images.bmp, "BMP");
    showImage(f.screen, gridCell(f.screen, 3, kColumns, kRows), images.pcx, "PCX");
    showImage(f.screen, gridCell(f.screen, 4, kColumns, kRows), images.im, "IM");
    showMissingFile(f.screen, gridCell(f.screen, 5, kColumns, kRows));
}

}  // namespace demo
