// The seven sprite modes in the order the scenes show them, with their labels.
#pragma once

#include <array>

namespace demo {

enum class SpriteMode { Copy, ColourKey, Alpha, AlphaValue, Average, Add, Subtract };

struct SpriteModeLabel {
    SpriteMode mode;
    const char *label;
};

constexpr std::array kSpriteModes = {
    SpriteModeLabel{SpriteMode::Copy, "COPY"},
    SpriteModeLabel{SpriteMode::ColourKey, "COLOUR KEY"},
    SpriteModeLabel{SpriteMode::Alpha, "ALPHA"},
    SpriteModeLabel{SpriteMode::AlphaValue, "ALPHA VALUE"},
    SpriteModeLabel{SpriteMode::Average, "AVERAGE"},
    SpriteModeLabel{SpriteMode::Add, "ADD"},
    SpriteModeLabel{SpriteMode::Subtract, "SUBTRACT"},
};

}  // namespace demo
