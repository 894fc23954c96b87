// libFuzzer target: the GIF reader on arbitrary bytes, first image and every frame.
#include <cstddef>
#include <cstdint>

#include "loaders/gif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GFXimage image{}, *frames = nullptr;
    uint32_t *delays = nullptr, count = 0;
    if (size > UINT32_MAX) return 0;
    if (zorblit::gifDecode(&image, data, uint32_t(size))) FreeImage(&image);
    if (zorblit::gifDecodeFrames(data, uint32_t(size), &frames, &delays, &count)) gifFreeFrames(frames, delays, count);
    return 0;
}
