// Pictures and layout shared by several scenes.
#pragma once

#include <cstdint>

#include <zorblit.h>

namespace demo {

// An image the demo owns: freed when it goes out of scope.
class OwnedImage {
public:
    OwnedImage() = default;
    OwnedImage(uint32_t width, uint32_t height) { AllocImage(&image_, width, height); }
    ~OwnedImage() { FreeImage(&image_); }
    OwnedImage(OwnedImage &&other) noexcept : image_(other.image_) { other.image_.data = nullptr; }
    OwnedImage(const OwnedImage &) = delete;
    OwnedImage &operator=(const OwnedImage &) = delete;
    OwnedImage &operator=(OwnedImage &&) = delete;

    GFXimage &get() { return image_; }
    operator GFXimage() const { return image_; }

private:
    GFXimage image_{};
};

struct Rect {
    int x, y, width, height;
};

// Cell index of a grid of columns x rows below the title strip, with a margin.
Rect gridCell(GFXimage screen, int index, int columns, int rows);

// The title strip's height: scenes draw below it.
constexpr int kTitleHeight = 16;

// A dark checkerboard that scrolls slowly, so blends and transparency show.
void drawBackdrop(GFXimage image, uint32_t frame);

// The demo's sprite: a shaded orange disc with a white arrow pointing up, alpha
// falling to 0 at the rim; outside the disc every pixel is 0 (the colour key).
const GFXimage &emblemSprite();
constexpr GFXcolor kEmblemKey = 0;

// Colour bands (red, green, blue, white, grey) filling a cell, for sprites to blend with.
void drawColourBands(GFXimage screen, const Rect &cell);

// A label centred under (or inside the bottom of) a cell.
void drawLabel(GFXimage screen, const Rect &cell, const char *text, GFXcolor colour = 0xFFFFFFFF);

// Triangle wave 0..1..0 with the given period in frames.
float pingPong(uint32_t frame, uint32_t period);

}  // namespace demo
