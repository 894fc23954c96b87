// PNG reader, from memory (pngLoad reads the file into memory first).
#pragma once
#include <cstdint>

#include "zorblit.h"

namespace zorblit {
bool pngDecode(GFXimage *image, const uint8_t *data, uint32_t size);
}
