// imageLoad and imageLoadMem: the format from the first bytes. IM files have no
// signature and go by the ".im" name ending; TGA files have none either and are
// tried last, accepted when their header holds together.
#include <cstring>
#include <strings.h>

#include "loaders/bmp.h"
#include "loaders/gif.h"
#include "loaders/im.h"
#include "loaders/pcx.h"
#include "loaders/png.h"
#include "loaders/qoi.h"
#include "loaders/reader.h"
#include "loaders/tga.h"

namespace zorblit {
namespace {

bool startsWith(const uint8_t *data, uint32_t size, const char *signature) {
    const size_t length = std::strlen(signature);
    return size >= length && std::memcmp(data, signature, length) == 0;
}

bool endsWith(const char *name, const char *ending) {
    const size_t length = std::strlen(name), endingLength = std::strlen(ending);
    return length >= endingLength && strcasecmp(name + length - endingLength, ending) == 0;
}

// PCX: manufacturer 10, version 0 to 5, run-length coding, 1, 2, 4 or 8 bits.
bool looksLikePcx(const uint8_t *data, uint32_t size) {
    return size >= 4 && data[0] == 10 && data[1] <= 5 && data[2] == 1 &&
           (data[3] == 1 || data[3] == 2 || data[3] == 4 || data[3] == 8);
}

MemoryDecoder decoderBySignature(const uint8_t *data, uint32_t size) {
    if (startsWith(data, size, "\x89PNG\r\n\x1A\n")) return pngDecode;
    if (startsWith(data, size, "\xFF\xD8\xFF")) return jpegLoadMem;
    if (startsWith(data, size, "GIF87a") || startsWith(data, size, "GIF89a")) return gifDecode;
    if (startsWith(data, size, "BM")) return bmpDecode;
    if (startsWith(data, size, "qoif")) return qoiDecode;
    if (looksLikePcx(data, size)) return pcxDecode;
    return nullptr;
}

// name: the file's name, or null for a block in memory.
bool decodeAny(GFXimage *image, const uint8_t *data, uint32_t size, const char *name) {
    if (const MemoryDecoder decode = decoderBySignature(data, size)) return decode(image, data, size);
    if (name && endsWith(name, ".im")) return imDecode(image, data, size);
    if (tgaDecode(image, data, size)) return true;
    // A file that does not claim to be TGA gets no TGA reason.
    if (name && endsWith(name, ".tga")) return false;
    beginRead();
    return refuse("unknown image format");
}

}  // namespace
}  // namespace zorblit

bool imageLoad(GFXimage *image, const char *name) {
    return zorblit::readFile(name, [&](const uint8_t *data, uint32_t size) {
        return zorblit::decodeAny(image, data, size, name);
    });
}

bool imageLoadMem(GFXimage *image, const uint8_t *data, uint32_t size) {
    return zorblit::runRead(
        [&] { return (data || size == 0 || zorblit::refuse("no data")) && zorblit::decodeAny(image, data, size, nullptr); });
}
