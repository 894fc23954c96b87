// libFuzzer target: the TGA reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "loaders/tga.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GFXimage image{};
    if (size <= UINT32_MAX && zorblit::tgaDecode(&image, data, uint32_t(size))) FreeImage(&image);
    return 0;
}
