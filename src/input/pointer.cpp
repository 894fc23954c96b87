// The system pointer: visibility with paired hides and shows, and warping it
// over a virtual-screen pixel.
#include <cmath>

#include "display/display_state.h"
#include "display/platform.h"
#include "zorblit.h"

namespace zorblit {
namespace {

// Hides not yet undone by a show; the pointer is visible at 0. Extra shows do
// not bank visibility for later hides.
uint32_t cursorHides = 0;

// The desktop point the event pump maps to virtual-screen pixel (x, y): the
// first whole desktop pixel of its span, through the same scaling of the
// requested size to the window's content.
PlatformPoint desktopPointOverPixel(uint32_t x, uint32_t y) {
    Platform &p = platform();
    if (!p.hasWindow()) return {double(x), double(y)};
    const DisplayState &s = displayState();
    const PlatformRect content = p.windowFrame();
    const auto place = [](uint32_t pixel, double origin, double requested, double size) {
        if (requested <= 0) return origin + pixel;
        return origin + std::ceil(pixel * size / requested);
    };
    return {place(x, content.x, s.requestedWidth, content.width),
            place(y, content.y, s.requestedHeight, content.height)};
}

}  // namespace
}  // namespace zorblit

using namespace zorblit;

void SetMouseCursor(bool show) {
    if (!show)
        ++cursorHides;
    else if (cursorHides > 0)
        --cursorHides;
    platform().showCursor(cursorHides == 0);
}

void SetMousePos(uint32_t x, uint32_t y) {
    const PlatformPoint target = desktopPointOverPixel(x, y);
    platform().warpPointer(target.x, target.y);
}
