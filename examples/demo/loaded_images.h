// Reads the generated picture files with the library's readers.
#pragma once

#include <string>

#include "scene.h"

namespace demo {

// Reads every picture in dir; a file a reader refuses leaves its image empty.
LoadedImages loadImages(const std::string &dir);
void freeImages(LoadedImages &images);

}  // namespace demo
