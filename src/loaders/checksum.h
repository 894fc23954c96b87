// The two checksums of PNG files: CRC-32 over chunks, Adler-32 over zlib data.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zorblit {

// Continues a CRC-32 (ISO 3309 polynomial, reflected); start from 0.
uint32_t updateCrc32(uint32_t crc, const uint8_t *data, size_t size);

// Continues an Adler-32 (RFC 1950); start from 1.
uint32_t updateAdler32(uint32_t adler, const uint8_t *data, size_t size);

}  // namespace zorblit
