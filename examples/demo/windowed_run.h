#pragma once

#include "scene.h"

namespace demo {

// Opens the output window and shows the scenes until Escape or the window closes.
// Left/Right change scene, F toggles full screen, 1/3/0 restart the output in the
// image, OpenGL or GPU texture mode. Frames are paced to 60 a second; the FPS
// line is printed once a second.
void runWindowed(const LoadedImages &images);

}  // namespace demo
