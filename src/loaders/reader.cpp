// From a file name to a decoder that works on memory.
#include "loaders/reader.h"

#include <cstdlib>
#include <memory>

#include "loaders/refusal.h"

namespace zorblit {

bool withinImageLimits(uint64_t width, uint64_t height) {
    constexpr uint64_t maxSide = 1u << 24, maxPixels = 1u << 28;
    if (width == 0 || height == 0) return refuse("image of zero width or height");
    if (width > maxSide || height > maxSide || width * height > maxPixels) return refuse("image too large");
    return true;
}

bool readMemory(GFXimage *image, const uint8_t *data, uint32_t size, MemoryDecoder decode) {
    beginRead();
    if (!data && size > 0) return refuse("no data");
    if (decode(image, data, size)) return true;
    return refuse("damaged or unsupported data");
}

bool decodeFile(GFXimage *image, const char *name, MemoryDecoder decode) {
    beginRead();
    uint8_t *bytes = nullptr;
    uint32_t size = 0;
    if (!LoadFileToMemory(name, &bytes, &size)) return refuse("cannot open file");
    const std::unique_ptr<uint8_t, decltype(&std::free)> owned(bytes, &std::free);
    return readMemory(image, owned.get(), size, decode);
}

}  // namespace zorblit

const char *LoadFailureReason(void) { return zorblit::lastRefusal(); }
