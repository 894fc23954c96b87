// From a file name to a decoder that works on memory.
#include "loaders/reader.h"

#include <cstdlib>
#include <memory>

namespace zorblit {

bool decodeFile(GFXimage *image, const char *name, MemoryDecoder decode) {
    uint8_t *bytes = nullptr;
    uint32_t size = 0;
    if (!LoadFileToMemory(name, &bytes, &size)) return false;
    const std::unique_ptr<uint8_t, decltype(&std::free)> owned(bytes, &std::free);
    return decode(image, owned.get(), size);
}

}  // namespace zorblit
