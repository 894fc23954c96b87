// Adler-32, the checksum over zlib data.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kernels/level.h"

namespace zorblit::kernels {

using Adler32Fn = uint32_t (*)(uint32_t adler, const uint8_t *data, size_t size);

// Continues an Adler-32 (RFC 1950); start from 1.
uint32_t adler32(uint32_t adler, const uint8_t *data, size_t size);

Adler32Fn adler32Variant(Level level);

}  // namespace zorblit::kernels
