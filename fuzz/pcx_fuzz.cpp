// libFuzzer target: the PCX reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "loaders/pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GFXimage image{};
    if (size <= UINT32_MAX && zorblit::pcxDecode(&image, data, uint32_t(size))) FreeImage(&image);
    return 0;
}
