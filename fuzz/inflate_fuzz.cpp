// libFuzzer target: inflate on arbitrary bytes; the first byte picks the framing.
#include <cstddef>
#include <cstdint>

#include "loaders/inflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    const auto framing = data[0] & 1 ? zorblit::DeflateFraming::raw : zorblit::DeflateFraming::zlib;
    zorblit::InflatedBytes out;
    zorblit::inflate(data + 1, size - 1, framing, size_t(1) << 22, out);
    return 0;
}
