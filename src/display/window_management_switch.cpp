// The full-screen switches: shut the system down and open it again in the other
// presentation, carrying the virtual screen's size and picture across.
#include <chrono>
#include <thread>

#include "core/image_math.h"
#include "display/display_state.h"
#include "zorblit.h"

namespace zorblit {
namespace {

// Lets the window system finish closing the old window before the new one opens.
constexpr std::chrono::milliseconds kSettleTime{123};

void reopen(bool fullScreen) {
    const uint32_t width = vscreen.width, height = vscreen.height;
    // The host OpenGL mode has no pixels to carry.
    GFXimage picture{nullptr, width, height};
    if (vscreen.data) {
        AllocImage(&picture, width, height);
        moveWords(vscreen.data, picture.data, pixelCount(picture));
    }
    FinishGFXsystem();
    std::this_thread::sleep_for(kSettleTime);
    gfxDone = true;
    switch (gfxDeviceMode) {
    case mode::kWindowless:
        InitGFXsystemScale(width, height, gfxRealScreenWidth, gfxRealScreenHeight, fullScreen);
        break;
    case mode::kHostOpenGL:
        openGLcontext(width, height, fullScreen);
        break;
    default:
        // Every other mode, including those without a content view, opens its
        // window again, so vscreen always has pixels to take the picture back.
        InitGFXsystem(width, height, fullScreen);
        break;
    }
    if (picture.data && vscreen.data && vscreen.width == width && vscreen.height == height)
        moveWords(picture.data, vscreen.data, pixelCount(picture));
    FreeImage(&picture);
}

}  // namespace
}  // namespace zorblit

// Neither does anything while no system is running.
void SwitchFullScreen(void) {
    if (zorblit::displayState().running && !gfxFullScreen) zorblit::reopen(true);
}

void SwitchWindowed(void) {
    if (zorblit::displayState().running && gfxFullScreen) zorblit::reopen(false);
}
