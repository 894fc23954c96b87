// 256-colour PCX reader, from memory (pcxLoad reads the file into memory first).
#pragma once
#include <cstdint>

#include "zorblit.h"

namespace zorblit {
bool pcxDecode(GFXimage *image, const uint8_t *data, uint32_t size);
}
