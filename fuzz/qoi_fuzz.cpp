// libFuzzer target: the QOI reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "loaders/qoi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GFXimage image{};
    if (size <= UINT32_MAX && zorblit::qoiDecode(&image, data, uint32_t(size))) FreeImage(&image);
    return 0;
}
