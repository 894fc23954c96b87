// jpegLoad and jpegLoadMem: a picture reaches the caller's record only when the
// whole picture decoded; every pixel is opaque. Running out of memory is a
// refusal like any other.
#include <memory>
#include <new>

#include "loaders/jpeg_decoder.h"
#include "loaders/reader.h"
#include "loaders/refusal.h"

namespace {

bool decodeJpeg(GFXimage *image, const uint8_t *data, uint32_t size) {
    // The decoder holds the Huffman lookup tables: too big for the stack.
    const std::unique_ptr<zorblit::TNanoJpegDecoder> decoder(new (std::nothrow) zorblit::TNanoJpegDecoder());
    if (!decoder) return zorblit::refuse("out of memory");
    return decoder->decode(data, size) && decoder->handOver(image);
}

}  // namespace

bool jpegLoadMem(GFXimage *image, const uint8_t *data, uint32_t size) {
    return zorblit::readMemory(image, data, size, decodeJpeg);
}

bool jpegLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, decodeJpeg); }
