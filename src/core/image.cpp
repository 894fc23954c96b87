// Image records, the clip rectangle, colour packing and bulk memory.
#include <cstdlib>

#include "core/form.h"
#include "support/diagnostics.h"

using namespace zorblit;

GFXimage vscreen = {nullptr, 0, 0};
int32_t clipX1 = 0, clipY1 = 0, clipX2 = 0, clipY2 = 0;

void AllocImage(GFXimage *image, uint32_t width, uint32_t height) {
    image->width = width;
    image->height = height;
    image->data = nullptr;
    const uint64_t bytes = uint64_t(width) * height * sizeof(uint32_t);
    // A zero-sized image still gets a block so that data is set, and no routine
    // touches its pixels. Where size_t is 32 bits, a larger size than it holds
    // fails like any allocation instead of being cut short.
    void *block = bytes == size_t(bytes) ? std::calloc(bytes ? size_t(bytes) : 1, 1) : nullptr;
    if (!block) FatalError("Unable to AllocImage!");
    image->data = static_cast<uint32_t *>(block);
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
