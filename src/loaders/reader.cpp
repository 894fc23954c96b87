// From a file name or a block of memory to a decoder that works on memory.
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
    return runRead([&] { return (data || size == 0 || refuse("no data")) && decode(image, data, size); });
}

bool readFile(const char *name, const std::function<bool(const uint8_t *data, uint32_t size)> &read) {
    return runRead([&] {
        uint8_t *bytes = nullptr;
        uint32_t size = 0;
        if (!LoadFileToMemory(name, &bytes, &size)) return refuse("cannot open file");
        const std::unique_ptr<uint8_t, decltype(&std::free)> owned(bytes, &std::free);
        return read(owned.get(), size);
    });
}

bool decodeFile(GFXimage *image, const char *name, MemoryDecoder decode) {
    return readFile(name, [&](const uint8_t *data, uint32_t size) { return decode(image, data, size); });
}

}  // namespace zorblit

const char *LoadFailureReason(void) { return zorblit::lastRefusal(); }
