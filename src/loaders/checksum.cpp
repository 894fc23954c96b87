// CRC-32 eight bytes per step (slicing by eight); Adler-32 is a kernel.
#include "loaders/checksum.h"

#include <array>

#include "kernels/adler32.h"

namespace zorblit {
namespace {

using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

// tables[0] is the classic byte table; tables[k][b] is the CRC of byte b
// followed by k zero bytes, so eight lookups advance the CRC by eight bytes.
constexpr CrcTables makeCrcTables() {
    CrcTables tables{};
    for (uint32_t b = 0; b < 256; ++b) {
        uint32_t c = b;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][b] = c;
    }
    for (size_t k = 1; k < 8; ++k)
        for (uint32_t b = 0; b < 256; ++b)
            tables[k][b] = (tables[k - 1][b] >> 8) ^ tables[0][tables[k - 1][b] & 0xFF];
    return tables;
}

constexpr CrcTables crcTables = makeCrcTables();

uint32_t loadLittle32(const uint8_t *p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

uint32_t updateCrc32(uint32_t crc, const uint8_t *data, size_t size) {
    const auto &t = crcTables;
    uint32_t c = ~crc;
    for (; size >= 8; size -= 8, data += 8) {
        const uint32_t low = c ^ loadLittle32(data), high = loadLittle32(data + 4);
        c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
            t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
    }
    // The plain byte-at-a-time form, also the reference for the step above.
    for (; size; --size) c = t[0][(c ^ *data++) & 0xFF] ^ (c >> 8);
    return ~c;
}

uint32_t updateAdler32(uint32_t adler, const uint8_t *data, size_t size) { return kernels::adler32(adler, data, size); }

}  // namespace zorblit
