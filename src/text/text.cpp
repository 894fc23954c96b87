// The exported text routines and the font choice.
#include <algorithm>

#include "text/draw_text.h"

using namespace zorblit;

uint32_t gfxFontHeight = 16;

void DrawText(GFXimage image, uint32_t x, uint32_t y, const char *text, uint32_t color) {
    text::drawText(image, x, y, text, color, text::selectedFont(), draw::drawArea(image));
}

void DrawTextClip(GFXimage image, int32_t x, int32_t y, const char *text, uint32_t color) {
    text::drawText(image, x, y, text, color, text::selectedFont(), draw::drawLimit<BuiltForm>(image, ClippedWrite::Pixel));
}

void GetTextSize(const char *text, uint32_t *width, uint32_t *height) {
    int64_t columns = 0, lines = 1;
    if (text != nullptr)
        lines = text::layOut(text, [&](uint32_t, int64_t column, int64_t) { columns = std::max(columns, column + 1); });
    const auto held = [](int64_t pixels) { return uint32_t(std::min<int64_t>(pixels, UINT32_MAX)); };
    if (width != nullptr) *width = held(columns * text::kGlyphWidth);
    if (height != nullptr) *height = held(lines * text::selectedFont().height);
}
