// The twelve single-pixel routines. Unclipped ones trust their coordinates;
// clipped ones follow the built form's limit.
#include "core/form.h"

using namespace zorblit;

// An image without pixels takes no writes and reads as 0.
void putPixel(GFXimage image, uint32_t x, uint32_t y, uint32_t color) {
    if (hasPixels(image)) *pixelAddress(image, x, y) = color;
}
void putPixelColor(GFXimage image, uint32_t x, uint32_t y, GFXcolor color) { putPixel(image, x, y, color); }
void putPixelRGBA(GFXimage image, uint32_t x, uint32_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    putPixel(image, x, y, packRGBA(r, g, b, a));
}

uint32_t getPixel(GFXimage image, uint32_t x, uint32_t y) { return hasPixels(image) ? *pixelAddress(image, x, y) : 0; }
GFXcolor getPixelColor(GFXimage image, uint32_t x, uint32_t y) { return getPixel(image, x, y); }
void getPixelRGBA(GFXimage image, uint32_t x, uint32_t y, uint8_t *r, uint8_t *g, uint8_t *b, uint8_t *a) {
    getRGBA(getPixel(image, x, y), r, g, b, a);
}

void putPixelClip(GFXimage image, int32_t x, int32_t y, uint32_t color) { BuiltForm::putPixelClip(image, x, y, color); }
void putPixelColorClip(GFXimage image, int32_t x, int32_t y, GFXcolor color) { putPixelClip(image, x, y, color); }
void putPixelRGBAClip(GFXimage image, int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    putPixelClip(image, x, y, packRGBA(r, g, b, a));
}

uint32_t getPixelClip(GFXimage image, int32_t x, int32_t y) { return BuiltForm::getPixelClip(image, x, y); }
GFXcolor getPixelColorClip(GFXimage image, int32_t x, int32_t y) { return getPixelClip(image, x, y); }
void getPixelRGBAClip(GFXimage image, int32_t x, int32_t y, uint8_t *r, uint8_t *g, uint8_t *b, uint8_t *a) {
    if (insideImage(image, x, y)) getRGBA(*pixelAddress(image, x, y), r, g, b, a);
}
