// GIF reader, from memory: the first image, or every frame of an animation.
#pragma once
#include <cstdint>

#include "zorblit.h"

namespace zorblit {
bool gifDecode(GFXimage *image, const uint8_t *data, uint32_t size);
bool gifDecodeFrames(const uint8_t *data, uint32_t size, GFXimage **frames, uint32_t **delaysMs, uint32_t *count);
}  // namespace zorblit
