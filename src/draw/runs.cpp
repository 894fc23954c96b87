// The exported horizontal and vertical lines, bars and rectangles of the built form.
#include "draw/runs.h"

using namespace zorblit;
using Unclipped = draw::Unclipped<BuiltForm>;
using Clipped = draw::Clipped<BuiltForm>;

void DrawHLine(GFXimage image, uint32_t x1, uint32_t x2, uint32_t y, uint32_t color) {
    Unclipped::hline(image, x1, x2, y, color);
}
void DrawHLineClip(GFXimage image, int32_t x1, int32_t x2, int32_t y, uint32_t color) {
    Clipped::hline(image, x1, x2, y, color);
}
void DrawVLine(GFXimage image, uint32_t y1, uint32_t y2, uint32_t x, uint32_t color) {
    Unclipped::vline(image, y1, y2, x, color);
}
void DrawVLineClip(GFXimage image, int32_t y1, int32_t y2, int32_t x, uint32_t color) {
    Clipped::vline(image, y1, y2, x, color);
}

void DrawBar(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t color) {
    Unclipped::bar(image, x1, y1, x2, y2, color);
}
void DrawBarClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color) {
    Clipped::bar(image, x1, y1, x2, y2, color);
}

void DrawRectangle(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t color) {
    draw::outlineRectangle<Unclipped>(image, x1, y1, x2, y2, color);
}
void DrawRectangleClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color) {
    draw::outlineRectangle<Clipped>(image, x1, y1, x2, y2, color);
}
// The same two routines under the spelling of the other builds, so a host links
// against whichever build it meets.
void drawRectangle(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t color) {
    DrawRectangle(image, x1, y1, x2, y2, color);
}
void drawRectangleClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color) {
    DrawRectangleClip(image, x1, y1, x2, y2, color);
}
