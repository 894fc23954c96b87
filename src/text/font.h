// The built-in fonts: 8 pixels wide, 8 or 16 high, one byte per glyph row (high
// bit leftmost), printable ASCII and Latin-1 plus a box for everything else.
#pragma once
#include <cstdint>

#include "zorblit.h"

namespace zorblit::text {

inline constexpr uint32_t kGlyphWidth = 8;
// Glyphs U+0020..U+007E, then U+00A0..U+00FF, then the box.
inline constexpr uint32_t kGlyphCount = 95 + 96 + 1;
inline constexpr uint32_t kBoxGlyph = kGlyphCount - 1;

extern const uint8_t kFont8x16Rows[kGlyphCount][16];
extern const uint8_t kFont8x8Rows[kGlyphCount][8];

struct Font {
    const uint8_t *rows;  // glyph g's rows start at rows + g * height
    uint32_t height;

    const uint8_t *glyph(uint32_t index) const { return rows + size_t(index) * height; }
};

// The font gfxFontHeight picks: 8 the 8x8 font, anything else the 8x16 font.
inline Font selectedFont() {
    if (gfxFontHeight == 8) return {&kFont8x8Rows[0][0], 8};
    return {&kFont8x16Rows[0][0], 16};
}

// The glyph of a code point; the box for any the fonts lack.
inline uint32_t glyphIndex(uint32_t codePoint) {
    if (codePoint >= 0x20 && codePoint <= 0x7E) return codePoint - 0x20;
    if (codePoint >= 0xA0 && codePoint <= 0xFF) return codePoint - 0xA0 + 95;
    return kBoxGlyph;
}

}  // namespace zorblit::text
