// Shared pieces of the tests that run both forms.
#pragma once
#include <gtest/gtest.h>

#include <utility>

#include "blit/sprite_modes.h"
#include "forms.h"
#include "test_images.h"

namespace zorblit::test {

constexpr SpriteMode kAllModes[] = {SpriteMode::Copy,         SpriteMode::ColourKey,   SpriteMode::Alpha,
                                    SpriteMode::AlphaValue,   SpriteMode::Average,     SpriteMode::SaturatedAdd,
                                    SpriteMode::SaturatedSub};

// Pixel (x, y) is 0xFF000000 | y << 12 | x: each tells where it came from.
inline OwnedImage numberedImage(uint32_t width, uint32_t height) {
    OwnedImage image(width, height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) image.at(x, y) = 0xFF000000u | y << 12 | x;
    return image;
}

// Calls visit(std::integral_constant<SpriteMode, mode>) for a mode picked at run time.
template <class Visitor>
void withMode(SpriteMode mode, Visitor &&visit) {
    [&]<size_t... I>(std::index_sequence<I...>) {
        ((mode == kAllModes[I] ? visit(std::integral_constant<SpriteMode, kAllModes[I]>{}) : void()), ...);
    }(std::make_index_sequence<std::size(kAllModes)>{});
}

}  // namespace zorblit::test
