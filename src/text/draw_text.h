// Text drawing, written once: each glyph's cell is cut to a limit box, and only
// the glyph's set pixels inside it change.
#pragma once
#include <cstdint>

#include "draw/draw_limits.h"
#include "text/layout.h"

namespace zorblit::text {

// Sets dest[c] to color for every bit c of the row that is set, bit 7 - c
// being column c (the row's high bit is dest[0]).
inline void plotRow(uint32_t *dest, uint32_t bits, uint32_t color) {
    for (int c = 0; c < 8; ++c)
        if (bits & (0x80u >> c)) dest[c] = color;
}

// plotRow for a row whose eight pixels all lie inside the limit: every pixel is
// rewritten through a mask of its column's bit, which compiles to vector code
// (two four-pixel selects).
inline void plotWholeRow(uint32_t *dest, uint32_t bits, uint32_t color) {
    alignas(16) static constexpr uint32_t kColumnBit[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
    for (int c = 0; c < 8; ++c) {
        const uint32_t set = bits & kColumnBit[c] ? ~0u : 0u;
        dest[c] = (color & set) | (dest[c] & ~set);
    }
}

// Draws text with its top-left corner at (x, y) in font, writing only inside
// limit, which must lie inside the image.
inline void drawText(const GFXimage &image, int64_t x, int64_t y, const char *text, uint32_t color,
                     const Font &font, const Area &limit) {
    if (text == nullptr || limit.empty()) return;
    layOut(text, [&](uint32_t glyph, int64_t column, int64_t line) {
        const int64_t left = x + column * kGlyphWidth, top = y + line * font.height;
        const Area cell = intersect({left, top, left + kGlyphWidth, top + font.height}, limit);
        if (cell.empty()) return;
        // The cell's visible columns, as a shift that brings the first to the
        // high bit and a mask of as many bits.
        const int shift = int(cell.x0 - left);
        const uint32_t keep = (0xFF00u >> (cell.x1 - cell.x0)) & 0xFF;
        const uint8_t *rows = font.glyph(glyph);
        uint32_t *dest = pixelAddress(image, cell.x0, cell.y0);
        const int64_t first = cell.y0 - top, end = cell.y1 - top;
        if (keep == 0xFF) {
            for (int64_t row = first; row < end; ++row, dest += image.width)
                if (rows[row] != 0) plotWholeRow(dest, rows[row], color);
            return;
        }
        for (int64_t row = first; row < end; ++row, dest += image.width)
            plotRow(dest, (uint32_t(rows[row]) << shift) & keep, color);
    });
}

}  // namespace zorblit::text
