// The exported scaled sprites, in the built form.
#include "transform/scale.h"

using namespace zorblit;
using M = SpriteMode;

void ScaleImage(GFXimage d, int32_t x1, int32_t y1, int32_t x2, int32_t y2, GFXimage s) {
    scale<BuiltForm, M::Copy>(d, x1, y1, x2, y2, s);
}
void ScaleSprite(GFXimage d, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t key, GFXimage s) {
    scale<BuiltForm, M::ColourKey>(d, x1, y1, x2, y2, s, key);
}
void ScaleSpriteAlpha(GFXimage d, int32_t x1, int32_t y1, int32_t x2, int32_t y2, GFXimage s) {
    scale<BuiltForm, M::Alpha>(d, x1, y1, x2, y2, s);
}
void ScaleSpriteAlphaValue(GFXimage d, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t value, GFXimage s) {
    scale<BuiltForm, M::AlphaValue>(d, x1, y1, x2, y2, s, value);
}
void ScaleSpriteAverage(GFXimage d, int32_t x1, int32_t y1, int32_t x2, int32_t y2, GFXimage s) {
    scale<BuiltForm, M::Average>(d, x1, y1, x2, y2, s);
}
void ScaleSpriteSaturatedAdd(GFXimage d, int32_t x1, int32_t y1, int32_t x2, int32_t y2, GFXimage s) {
    scale<BuiltForm, M::SaturatedAdd>(d, x1, y1, x2, y2, s);
}
void ScaleSpriteSaturatedSub(GFXimage d, int32_t x1, int32_t y1, int32_t x2, int32_t y2, GFXimage s) {
    scale<BuiltForm, M::SaturatedSub>(d, x1, y1, x2, y2, s);
}
