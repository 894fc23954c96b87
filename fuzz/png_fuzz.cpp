// libFuzzer target: the PNG reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "loaders/png.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GFXimage image{};
    if (size <= UINT32_MAX && zorblit::pngDecode(&image, data, uint32_t(size))) FreeImage(&image);
    return 0;
}
