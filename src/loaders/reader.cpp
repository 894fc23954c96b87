// From a file name or a block of memory to a decoder that works on memory.
#include "loaders/reader.h"

#include <cstdlib>
#include <memory>

#include "loaders/refusal.h"

namespace zorblit {

bool decodeMemory(GFXimage *image, const uint8_t *data, uint32_t size, MemoryDecoder decode) {
    if (!data && size != 0) return refuse("no data");
    // Decoders hold their working memory in containers, whose allocations throw
    // when memory runs out; that file is then refused like any other.
    try {
        return decode(image, data, size);
    } catch (...) {
        return refuse("out of memory");
    }
}

bool decodeFile(GFXimage *image, const char *name, MemoryDecoder decode) {
    uint8_t *bytes = nullptr;
    uint32_t size = 0;
    if (!LoadFileToMemory(name, &bytes, &size)) return false;
    const std::unique_ptr<uint8_t, decltype(&std::free)> owned(bytes, &std::free);
    return decodeMemory(image, owned.get(), size, decode);
}

}  // namespace zorblit
