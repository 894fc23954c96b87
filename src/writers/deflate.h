// Deflate compression (RFC 1951), bare or inside a zlib stream (RFC 1950).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "loaders/inflate.h"

namespace zorblit {

enum class DeflateLevel {
    stored,  // no compression: stored blocks only
    fast,    // one hash probe per position, greedy matches
    normal,  // hash chains with a bounded search and lazy matching
};

// Appends the compressed form of size bytes at data to out. Throws only what
// the vector's allocation throws.
void deflate(const uint8_t *data, size_t size, DeflateLevel level, DeflateFraming framing, std::vector<uint8_t> &out);

}  // namespace zorblit
