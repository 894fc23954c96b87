// Roto-zoom: the whole destination filled with a turned and zoomed view of a
// source, walked in 16.16 fixed point with one addition per pixel and axis.
#pragma once
#include <cstdint>
#include <optional>

#include "zorblit.h"

namespace zorblit {

// zoom * sin(angle) and zoom * cos(angle) in 16.16: the source step per
// destination pixel. None when either is not a finite number (NaN or infinite
// angle or zoom); finite steps are held within +-2^47, 2^31 source pixels.
struct ZoomSteps {
    int64_t sine, cosine;
};
std::optional<ZoomSteps> zoomSteps(float angle, float zoom);

// Fills dest: its centre pixel (hw, hh) = (width >> 1, height >> 1) shows the
// source point (hw, hh) + offset, offset in 16.16; points outside the source
// give 0.
void rotoZoom(GFXimage dest, GFXimage source, float angle, float zoom, int64_t offsetX, int64_t offsetY);

}  // namespace zorblit
