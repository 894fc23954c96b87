// The exported circles of the built form.
#include "draw/circle.h"

using namespace zorblit;

void DrawCircle(GFXimage image, uint32_t cx, uint32_t cy, uint32_t radius, uint32_t color) {
    draw::drawCircle<draw::Unclipped<BuiltForm>>(image, cx, cy, radius, color);
}
void DrawCircleClip(GFXimage image, int32_t cx, int32_t cy, uint32_t radius, uint32_t color) {
    draw::drawCircle<draw::Clipped<BuiltForm>>(image, cx, cy, radius, color);
}
void DrawFilledCircle(GFXimage image, uint32_t cx, uint32_t cy, uint32_t radius, uint32_t color) {
    draw::drawFilledCircle<draw::Unclipped<BuiltForm>>(image, cx, cy, radius, color);
}
void DrawFilledCircleClip(GFXimage image, int32_t cx, int32_t cy, uint32_t radius, uint32_t color) {
    draw::drawFilledCircle<draw::Clipped<BuiltForm>>(image, cx, cy, radius, color);
}
