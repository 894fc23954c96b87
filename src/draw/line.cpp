// The exported lines; the clipped one writes through the built form's clipped pixel writer.
#include "draw/line.h"

using namespace zorblit;

void DrawLine(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t color) {
    draw::drawLine<draw::Unclipped<BuiltForm>>(image, {x1, y1}, {x2, y2}, color);
}
void DrawLineClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color) {
    draw::drawLine<draw::Clipped<BuiltForm>>(image, {x1, y1}, {x2, y2}, color);
}
