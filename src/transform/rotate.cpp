// The exported rotated sprites, in the built form.
#include "transform/rotate.h"

using namespace zorblit;
using M = SpriteMode;

void RotateImage(GFXimage d, int32_t x, int32_t y, int32_t angle, GFXimage s) {
    rotate<BuiltForm, M::Copy>(d, x, y, angle, s);
}
void RotateSprite(GFXimage d, int32_t x, int32_t y, int32_t angle, uint32_t key, GFXimage s) {
    rotate<BuiltForm, M::ColourKey>(d, x, y, angle, s, key);
}
void RotateSpriteAlpha(GFXimage d, int32_t x, int32_t y, int32_t angle, GFXimage s) {
    rotate<BuiltForm, M::Alpha>(d, x, y, angle, s);
}
void RotateSpriteAlphaValue(GFXimage d, int32_t x, int32_t y, int32_t angle, uint8_t value, GFXimage s) {
    rotate<BuiltForm, M::AlphaValue>(d, x, y, angle, s, value);
}
void RotateSpriteAverage(GFXimage d, int32_t x, int32_t y, int32_t angle, GFXimage s) {
    rotate<BuiltForm, M::Average>(d, x, y, angle, s);
}
void RotateSpriteSaturatedAdd(GFXimage d, int32_t x, int32_t y, int32_t angle, GFXimage s) {
    rotate<BuiltForm, M::SaturatedAdd>(d, x, y, angle, s);
}
void RotateSpriteSaturatedSub(GFXimage d, int32_t x, int32_t y, int32_t angle, GFXimage s) {
    rotate<BuiltForm, M::SaturatedSub>(d, x, y, angle, s);
}
