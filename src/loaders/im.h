// The library's raw IM reader, from memory (imLoad reads the file into memory first).
#pragma once
#include <cstdint>

#include "zorblit.h"

namespace zorblit {
bool imDecode(GFXimage *image, const uint8_t *data, uint32_t size);
}
