#include "display/display_state.h"

#include "zorblit.h"

bool gfxFullScreen = false;
bool gfxDone = false;
int32_t gfxDeviceMode = zorblit::mode::kUnset;
float gfxPixelSizeX = 1.0f, gfxPixelSizeY = 1.0f;
bool gfxUsingThreads = false;
uint32_t gfxRealScreenWidth = 0, gfxRealScreenHeight = 0;
bool gfxWindowMinimized = false;
bool gfxCenterWindow = true;
int32_t gfxWindowPosX = 0, gfxWindowPosY = 0;

namespace zorblit {

bool isOpenGLMode() { return gfxDeviceMode == mode::kOpenGLPixels || gfxDeviceMode == mode::kHostOpenGL; }

DisplayState &displayState() {
    static DisplayState state;
    return state;
}

bool windowShouldClose() {
    gfxDone = true;
    return true;
}

void handleQuitRequest() {
    if (displayState().quitTarget) gfxDone = true;
}

void screenParametersChanged() {
    const DisplayState &s = displayState();
    platform().setWindowFrame({0, 0, double(s.windowWidth), double(s.windowHeight)});
}

}  // namespace zorblit
