// The exported blits, in the built form.
#include "blit/blit.h"

using namespace zorblit;
using M = SpriteMode;

void putImage(GFXimage d, int32_t x, int32_t y, GFXimage s) { blit<BuiltForm, M::Copy>(d, x, y, s); }
void putSprite(GFXimage d, int32_t x, int32_t y, GFXimage s, uint32_t key) {
    blit<BuiltForm, M::ColourKey>(d, x, y, s, key);
}
void putSpriteAlpha(GFXimage d, int32_t x, int32_t y, GFXimage s) { blit<BuiltForm, M::Alpha>(d, x, y, s); }
void putSpriteAlphaValue(GFXimage d, int32_t x, int32_t y, GFXimage s, uint8_t value) {
    blit<BuiltForm, M::AlphaValue>(d, x, y, s, value);
}
void putSpriteAverage(GFXimage d, int32_t x, int32_t y, GFXimage s) { blit<BuiltForm, M::Average>(d, x, y, s); }
void putSpriteSaturatedAdd(GFXimage d, int32_t x, int32_t y, GFXimage s) {
    blit<BuiltForm, M::SaturatedAdd>(d, x, y, s);
}
void putSpriteSaturatedSub(GFXimage d, int32_t x, int32_t y, GFXimage s) {
    blit<BuiltForm, M::SaturatedSub>(d, x, y, s);
}

void putImageClip(GFXimage d, int32_t x, int32_t y, GFXimage s) { blitClip<BuiltForm, M::Copy>(d, x, y, s); }
void putSpriteClip(GFXimage d, int32_t x, int32_t y, GFXimage s, uint32_t key) {
    blitClip<BuiltForm, M::ColourKey>(d, x, y, s, key);
}
void putSpriteAlphaClip(GFXimage d, int32_t x, int32_t y, GFXimage s) { blitClip<BuiltForm, M::Alpha>(d, x, y, s); }
void putSpriteAlphaValueClip(GFXimage d, int32_t x, int32_t y, GFXimage s, uint8_t value) {
    blitClip<BuiltForm, M::AlphaValue>(d, x, y, s, value);
}
void putSpriteAverageClip(GFXimage d, int32_t x, int32_t y, GFXimage s) {
    blitClip<BuiltForm, M::Average>(d, x, y, s);
}
void putSpriteSaturatedAddClip(GFXimage d, int32_t x, int32_t y, GFXimage s) {
    blitClip<BuiltForm, M::SaturatedAdd>(d, x, y, s);
}
void putSpriteSaturatedSubClip(GFXimage d, int32_t x, int32_t y, GFXimage s) {
    blitClip<BuiltForm, M::SaturatedSub>(d, x, y, s);
}

void getImage(GFXimage target, uint32_t x, uint32_t y, GFXimage source) {
    if (!hasPixels(target) || !hasPixels(source)) return;
    for (uint32_t j = 0; j < target.height; ++j)
        kernels::copyRun(pixelAddress(target, 0, j), pixelAddress(source, x, uint64_t(y) + j), target.width);
}
