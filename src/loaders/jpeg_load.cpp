// jpegLoad and jpegLoadMem: a picture reaches the caller's record only when the
// whole scan decoded; every pixel is opaque.
#include <memory>

#include "loaders/jpeg_decoder.h"
#include "loaders/reader.h"

namespace {

bool decodeJpeg(GFXimage *image, const uint8_t *data, uint32_t size) {
    // The decoder holds the Huffman lookup tables: too big for the stack.
    const auto decoder = std::make_unique<zorblit::TNanoJpegDecoder>();
    if (!decoder->decode(data, size)) return false;
    zorblit::PendingImage result(decoder->width(), decoder->height());
    if (!result.allocated()) return false;
    decoder->writePixels(result.row(0));
    return result.handOver(image);
}

}  // namespace

bool jpegLoadMem(GFXimage *image, const uint8_t *data, uint32_t size) {
    return zorblit::decodeMemory(image, data, size, decodeJpeg);
}

bool jpegLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, decodeJpeg); }
