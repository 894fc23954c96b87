// Windows bitmap reader, from memory (bmpLoad reads the file into memory first).
#pragma once
#include <cstdint>

#include "zorblit.h"

namespace zorblit {
bool bmpDecode(GFXimage *image, const uint8_t *data, uint32_t size);
}
