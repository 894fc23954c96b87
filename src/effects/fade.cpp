// Fades toward black or white, and alpha from a mask's brightness. These are the
// same in both forms: red, green and blue go through a 256-entry table built once
// per call from the float formula; alpha is carried along.
#include <array>
#include <cmath>

#include "effects/pixel_walks.h"

using namespace zorblit;

namespace {

using ChannelTable = std::array<uint8_t, 256>;

// std::nearbyint rounds half to even in the default rounding mode.
template <class Formula>
ChannelTable makeTable(Formula formula) {
    ChannelTable table{};
    for (uint32_t c = 0; c < 256; ++c) table[c] = uint8_t(std::nearbyint(formula(float(c))));
    return table;
}

uint32_t mapColourChannels(uint32_t p, const ChannelTable &table) {
    return (p & 0xFF000000u) | uint32_t(table[p >> 16 & 0xFF]) << 16 | uint32_t(table[p >> 8 & 0xFF]) << 8 |
           table[p & 0xFF];
}

// c * level / 256: level 255 turns 255 into 254, so a fade never quite reaches identity.
ChannelTable fadeToBlackTable(uint8_t level) {
    const float f = float(level * (1.0 / 256));
    return makeTable([f](float c) { return c * f; });
}

// 255 - (255 - c) * level / 255: level 0 is white, 255 keeps the colour.
ChannelTable fadeToWhiteTable(uint8_t level) {
    const float f = float(level) / 255.0f;
    return makeTable([f](float c) { return 255.0f - (255.0f - c) * f; });
}

void mapImage(const GFXimage &dest, const GFXimage &source, const ChannelTable &table) {
    rowWalk(dest, source, source, [&table](uint32_t p, uint32_t) { return mapColourChannels(p, table); });
}

}  // namespace

void Fade2BlackImage(GFXimage image, uint8_t level) { mapImage(image, image, fadeToBlackTable(level)); }

void Fade2WhiteImage(GFXimage image, uint8_t level) { mapImage(image, image, fadeToWhiteTable(level)); }

void Fade2WhiteImage2Screen(GFXimage dest, GFXimage source, uint8_t level) {
    mapImage(dest, source, fadeToWhiteTable(level));
}

// Black mask: opaque (255); white mask: transparent (0).
void CreateAlphaFromImage(GFXimage dest, GFXimage mask) {
    rowWalk(dest, dest, mask, [](uint32_t d, uint32_t m) {
        const uint32_t brightness = ((m >> 16 & 0xFF) + (m >> 8 & 0xFF) + (m & 0xFF)) / 3;
        return (d & 0x00FFFFFFu) | (255 - brightness) << 24;
    });
}
