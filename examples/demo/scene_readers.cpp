// The pictures every reader made from the generated asset files, each scaled to
// its panel (those with alpha over the checkerboard), the GIF animation playing
// at its own delays, and what a reader answers for a file that is not there.
#include <algorithm>
#include <cstdio>

#include "artwork.h"
#include "scene.h"

namespace demo {
namespace {

constexpr int kColumns = 3, kRows = 3;
constexpr uint32_t kMsPerFrame = 16;  // the demo runs at about 60 frames a second

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

// Delays of 0 count as 100 ms.
uint32_t delayOf(const LoadedImages &images, uint32_t i) { return images.gifDelays[i] ? images.gifDelays[i] : 100; }

// The animation's frame at this time, looping.
void showAnimation(GFXimage screen, const Rect &cell, const LoadedImages &images, uint32_t frame) {
    if (images.gifCount == 0) return showImage(screen, cell, GFXimage{}, "GIF");
    uint32_t loop = 0;
    for (uint32_t i = 0; i < images.gifCount; ++i) loop += delayOf(images, i);
    uint32_t at = frame * kMsPerFrame % loop, shown = 0;
    while (at >= delayOf(images, shown)) at -= delayOf(images, shown++);
    char label[24];
    std::snprintf(label, sizeof label, "GIF %u/%u", shown + 1, images.gifCount);
    showImage(screen, cell, images.gifFrames[shown], label);
}

void showMissingFile(GFXimage screen, const Rect &cell) {
    GFXimage untouched{};
    const bool read = imageLoad(&untouched, "no-such-file.png");
    DrawTextClip(screen, cell.x + 4, cell.y + 20, "imageLoad(missing)", RGBA(255, 255, 255, 255));
    DrawTextClip(screen, cell.x + 4, cell.y + 36, read ? "= true ?!" : "= false", RGBA(255, 200, 80, 255));
    DrawTextClip(screen, cell.x + 4, cell.y + 52, untouched.data ? "image set ?!" : "image untouched",
             RGBA(255, 200, 80, 255));
    DrawTextClip(screen, cell.x + 4, cell.y + 68, LoadFailureReason(), RGBA(255, 200, 80, 255));
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
    showAnimation(f.screen, gridCell(f.screen, 5, kColumns, kRows), images, f.frame);
    showImage(f.screen, gridCell(f.screen, 6, kColumns, kRows), images.tga, "TGA");
    showImage(f.screen, gridCell(f.screen, 7, kColumns, kRows), images.qoi, "QOI");
    showMissingFile(f.screen, gridCell(f.screen, 8, kColumns, kRows));
}

}  // namespace demo
