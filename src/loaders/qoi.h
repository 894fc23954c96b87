// QOI reader, from memory.
#pragma once
#include <cstdint>

#include "zorblit.h"

namespace zorblit {
bool qoiDecode(GFXimage *image, const uint8_t *data, uint32_t size);
}
