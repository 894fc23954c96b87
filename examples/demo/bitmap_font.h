// A tiny 3x5 bitmap font for the demo's labels: digits, capital letters and a
// little punctuation (small letters are drawn as capitals, anything else as a box).
#pragma once

#include <string_view>

#include <zorblit.h>

namespace demo {

// Draws text with its top-left corner at (x, y), every font pixel a scale x scale
// square, clipped to the image.
void drawText(GFXimage image, int x, int y, std::string_view text, GFXcolor colour, int scale = 2);

// False for the continuation bytes of a UTF-8 sequence: one character each.
inline bool startsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// The width drawText would use.
int textWidth(std::string_view text, int scale = 2);

}  // namespace demo
