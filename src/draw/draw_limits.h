// Where the clipped drawing routines of each form may draw. Coordinates are 64-bit
// so that computed positions beyond the 32-bit range compare correctly.
#pragma once
#include <algorithm>
#include <cstdint>

#include "core/form.h"

namespace zorblit::draw {

struct Point {
    int64_t x, y;
};

// The half-open area x0 <= x < x1, y0 <= y < y1.
struct Box {
    int64_t x0, y0, x1, y1;

    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool contains(int64_t x, int64_t y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

inline Box intersect(const Box &a, const Box &b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// The positions a signed 32-bit coordinate can name.
inline constexpr Box kInt32Box{INT32_MIN, INT32_MIN, int64_t(INT32_MAX) + 1, int64_t(INT32_MAX) + 1};

// Empty for an image without pixels.
inline Box imageBox(const GFXimage &image) {
    if (!image.data) return {0, 0, 0, 0};
    return intersect({0, 0, image.width, image.height}, kInt32Box);
}

inline Box clipRectangleBox() { return {clipX1, clipY1, clipX2, clipY2}; }

// Limits per form:
//   pixels:  what the form's putPixelClip writes (lines and circle outlines);
//   runs:    clipped horizontal lines and bars (and so filled circles and triangles);
//   columns: clipped vertical lines.
// Every limit lies inside the image, whatever the clip rectangle says.
template <class Form>
struct Limits;

// The portable form keeps to the clip rectangle, except for vertical lines.
template <>
struct Limits<Portable> {
    static Box pixels(const GFXimage &image) { return intersect(clipRectangleBox(), imageBox(image)); }
    static Box runs(const GFXimage &image) { return pixels(image); }
    static Box columns(const GFXimage &image) { return imageBox(image); }
    // Bars whose first row lies below the second draw nothing.
    static constexpr bool barsOrderRows = false;
};

// The packed form keeps to the image bounds throughout.
template <>
struct Limits<Packed> {
    static Box pixels(const GFXimage &image) { return imageBox(image); }
    static Box runs(const GFXimage &image) { return imageBox(image); }
    static Box columns(const GFXimage &image) { return imageBox(image); }
    static constexpr bool barsOrderRows = true;
};

}  // namespace zorblit::draw
