// Where the drawing routines may draw: the write area (core/area.h), kept to the
// positions a signed 32-bit coordinate can name. Coordinates are 64-bit so that
// computed positions beyond the 32-bit range compare correctly.
#pragma once
#include <cstdint>

#include "core/area.h"
#include "core/form.h"

namespace zorblit::draw {

struct Point {
    int64_t x, y;
};

// The positions a signed 32-bit coordinate can name.
inline constexpr Area kInt32Area{INT32_MIN, INT32_MIN, int64_t(INT32_MAX) + 1, int64_t(INT32_MAX) + 1};

// The image's pixels, for the unclipped routines; empty for an image without pixels.
inline Area drawArea(const GFXimage &image) { return intersect(imageArea(image), kInt32Area); }

// Where a clipped routine of the form draws: inside the image, and inside the clip
// rectangle as well where the form's rule says so.
template <class Form>
Area drawLimit(const GFXimage &image, ClippedWrite write) {
    return intersect(writeArea(image, Form::obeysClipRectangle(write)), kInt32Area);
}

}  // namespace zorblit::draw
