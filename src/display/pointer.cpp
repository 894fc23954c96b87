// The system pointer: visibility with paired hides and shows, and warping it
// over a virtual-screen pixel.
#include "display/platform.h"
#include "display/pointer_mapping.h"
#include "zorblit.h"

namespace zorblit {
namespace {

// Hides not yet undone by a show; the pointer is visible at 0. Extra shows do
// not bank visibility for later hides.
uint32_t cursorHides = 0;

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
