// Pointer mapping both ways between desktop points and virtual-screen pixels:
// one window pixel per virtual pixel along an axis whose content has the
// requested size, else scaled to the content.
#pragma once
#include <cstdint>

#include "display/platform.h"

namespace zorblit {

struct PixelPoint {
    int32_t x = 0, y = 0;
};

// The virtual-screen pixel under a desktop point. Outside the window the values
// lie outside the virtual screen; without a window the point is taken as is.
PixelPoint pixelUnderPoint(PlatformPoint point);
// The desktop point pixelUnderPoint maps to pixel (x, y): the first whole
// desktop pixel of its span.
PlatformPoint desktopPointOverPixel(uint32_t x, uint32_t y);

}  // namespace zorblit
