// Image records, the clip rectangle, colour packing and bulk memory.
#include <cstdint>
#include <cstdlib>

#include "core/form.h"

using namespace zorblit;

GFXimage vscreen = {nullptr, 0, 0};
int32_t clipX1 = 0, clipY1 = 0, clipX2 = 0, clipY2 = 0;

bool TryAllocImage(GFXimage *image, uint32_t width, uint32_t height) {
    // A block of more than PTRDIFF_MAX bytes cannot be addressed as one object;
    // width * height itself always fits in 64 bits.
    const uint64_t pixels = uint64_t(width) * height;
    if (pixels > uint64_t(PTRDIFF_MAX) / sizeof(uint32_t)) return false;
    // A zero-sized image still gets a block so that data is set, and no routine
    // touches its pixels.
    void *block = std::calloc(pixels ? pixels : 1, sizeof(uint32_t));
    if (!block) return false;
    *image = GFXimage{static_cast<uint32_t *>(block), width, height};
    return true;
}

void AllocImage(GFXimage *image, uint32_t width, uint32_t height) {
    image->width = width;
    image->height = height;
    image->data = nullptr;
    if (!TryAllocImage(image, width, height)) FatalError("Unable to AllocImage!");
}

void FreeImage(GFXimage *image) {
    std::free(image->data);
    image->data = nullptr;
}

void setClipRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    clipX1 = x1;
    clipY1 = y1;
    clipX2 = x2;
    clipY2 = y2;
}

uint32_t RGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { return packRGBA(r, g, b, a); }

void getRGBA(uint32_t color, uint8_t *r, uint8_t *g, uint8_t *b, uint8_t *a) {
    *r = getRed(color);
    *g = getGreen(color);
    *b = getBlue(color);
    *a = getAlpha(color);
}

uint8_t getRed(uint32_t color) { return uint8_t(color >> 16); }
uint8_t getGreen(uint32_t color) { return uint8_t(color >> 8); }
uint8_t getBlue(uint32_t color) { return uint8_t(color); }
uint8_t getAlpha(uint32_t color) { return uint8_t(color >> 24); }

void FastMove(const void *source, void *dest, uint32_t count) {
    BuiltForm::move(static_cast<const uint32_t *>(source), static_cast<uint32_t *>(dest), count);
}

void FastFill(void *dest, uint32_t count, uint32_t value) {
    BuiltForm::fill(static_cast<uint32_t *>(dest), count, value);
}
