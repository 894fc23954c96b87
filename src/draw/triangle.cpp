// The exported filled triangles of the built form.
#include "draw/triangle.h"

using namespace zorblit;

void DrawFilledTriangle(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t x3, uint32_t y3,
                        uint32_t color) {
    draw::drawFilledTriangle<draw::Unclipped<BuiltForm>>(image, {x1, y1}, {x2, y2}, {x3, y3}, color);
}
void DrawFilledTriangleClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                            uint32_t color) {
    draw::drawFilledTriangle<draw::Clipped<BuiltForm>>(image, {x1, y1}, {x2, y2}, {x3, y3}, color);
}
