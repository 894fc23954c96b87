// An opaque grey pixel, as the procedural pictures write them.
#pragma once
#include <cstdint>

namespace zorblit {
constexpr uint32_t greyPixel(uint32_t level) { return 0xFF000000u | level * 0x010101u; }
}
