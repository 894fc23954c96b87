// The state the display layer shares: the private record behind the exported
// window and mode globals. Zero at load; lives for the whole process.
#pragma once
#include <cstdint>

#include "display/platform.h"

namespace zorblit {

// Values of gfxDeviceMode.
namespace mode {
constexpr int32_t kUnset = 0;
constexpr int32_t kImageView = 1;
constexpr int32_t kOpenGLPixels = 3;
constexpr int32_t kHostOpenGL = 6;
constexpr int32_t kWindowless = 7;
constexpr int32_t kTextureView = 10;
}  // namespace mode

// Modes 3 and 6 present through an OpenGL view.
bool isOpenGLMode();

struct DisplayState {
    bool running = false;            // initialised and not yet finished
    bool ownsScreenPixels = false;   // vscreen.data was allocated by initialisation
    int32_t titleBarHeight = 0;
    uint32_t windowWidth = 0, windowHeight = 0;        // content size as created
    uint32_t requestedWidth = 0, requestedHeight = 0;  // size asked for
    PlatformRect contentRect;
    bool appInitialised = false;
    bool quitTarget = false;  // the quit request reaches gfxDone while it exists
    bool imageView = false, glView = false, textureView = false;
    uint64_t textureRedrawSlot = 0;  // sixtieth of a second of the last redraw
    // Event pump.
    bool capsReleasePending = false;
    bool capsSuppress = false;
};

DisplayState &displayState();

}  // namespace zorblit
