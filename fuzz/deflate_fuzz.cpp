// libFuzzer target: compress arbitrary bytes at a level the first byte picks
// (and framing), inflate them with our own inflate, and require the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "loaders/inflate.h"
#include "writers/deflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    const auto level = zorblit::DeflateLevel(data[0] % 3);
    const auto framing = data[0] & 4 ? zorblit::DeflateFraming::raw : zorblit::DeflateFraming::zlib;
    std::vector<uint8_t> packed;
    zorblit::deflate(data + 1, size - 1, level, framing, packed);
    zorblit::InflatedBytes out;
    if (!zorblit::inflate(packed.data(), packed.size(), framing, size - 1, out) || out.size != size - 1 ||
        (out.size && std::memcmp(out.data.get(), data + 1, out.size) != 0))
        std::abort();
    return 0;
}
