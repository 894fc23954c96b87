// Application setup and the creation of the output window.
#pragma once
#include <cstdint>

namespace zorblit {

// Connects to the window system and brings the process to the front (the
// first time), and makes the quit request reach gfxDone again.
void setUpApplication();
// Creates the output window of gfxDeviceMode with its content view, centred
// when windowed, borderless over the whole desktop in full screen.
void createOutputWindow(uint32_t width, uint32_t height, const char *caption, bool fullScreen);

}  // namespace zorblit
