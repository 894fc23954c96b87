// Window management on the open output window: minimise and restore, caption,
// position, and the desktop size.
#include <cmath>

#include "display/event_pump.h"
#include "display/platform.h"
#include "zorblit.h"

namespace {

int32_t rounded(double value) { return int32_t(std::nearbyint(value)); }

}  // namespace

using namespace zorblit;

void MinimizeGFXwindow(void) {
    gfxWindowMinimized = true;
    platform().minimizeWindow();
}

void RestoreGFXwindow(void) {
    gfxWindowMinimized = false;
    platform().restoreWindow();
}

void GetDesktopResolution(int32_t *width, int32_t *height) {
    const PlatformRect desktop = platform().desktopFrame();
    if (width) *width = rounded(desktop.width);
    if (height) *height = rounded(desktop.height);
}

void SetGFXwindowCaption(const char *caption) { platform().setCaption(caption ? caption : ""); }

// Positions are the window's top-left corner, title bar included; y counts down
// from the top of the usable area (below any top panel), x from the desktop's left.
void SetGFXwindowPos(int32_t x, int32_t y) {
    Platform &p = platform();
    if (!gfxFullScreen) p.setWindowTopLeft(x, p.usableArea().y + y);
    pumpEvents();
}

void GetGFXwindowPos(int32_t *x, int32_t *y) {
    Platform &p = platform();
    const PlatformPoint corner = p.windowTopLeft();
    if (x) *x = rounded(corner.x);
    if (y) *y = rounded(corner.y - p.usableArea().y);
}
