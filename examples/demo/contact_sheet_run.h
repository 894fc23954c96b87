#pragma once

#include <string>

#include "scene.h"

namespace demo {

// Runs every scene for framesPerScene frames without a window, then writes a
// contact sheet of the last frame of each (at half size) to sheetPath.
// False if the sheet cannot be written.
bool runContactSheet(const LoadedImages &images, uint32_t framesPerScene, const std::string &sheetPath);

}  // namespace demo
