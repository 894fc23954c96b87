// The seven exported blend operators, in the built form.
#include "core/form.h"

using namespace zorblit;

uint32_t Average(uint32_t first, uint32_t second) { return BuiltForm::average(first, second); }
uint32_t SaturatedAdd(uint32_t first, uint32_t second) { return BuiltForm::saturatedAdd(first, second); }
uint32_t SaturatedSub(uint32_t first, uint32_t second) { return BuiltForm::saturatedSub(first, second); }
uint32_t Alpha(uint32_t first, uint32_t second) { return BuiltForm::alpha(first, second); }
uint32_t AlphaValue(uint32_t first, uint32_t second, uint8_t value) {
    return BuiltForm::alphaValue(first, second, value);
}
GFXcolor AlphaColor(GFXcolor first, GFXcolor second) { return Alpha(first, second); }
GFXcolor AlphaValueColor(GFXcolor first, GFXcolor second, uint8_t value) { return AlphaValue(first, second, value); }
