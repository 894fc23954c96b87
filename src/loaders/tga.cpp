// TGA: an 18-byte header, an identification field, a colour map, then the pixels,
// raw or in packets (a run of one value or a stretch of raw values, up to 128
// pixels, crossing rows freely). Rows go bottom up unless the descriptor's bit 5
// is set; bit 4 stores rows right to left. Anything after the pixels is ignored.
#include "loaders/tga.h"

#include <vector>

#include "core/image_math.h"
#include "loaders/reader.h"
#include "loaders/refusal.h"

namespace zorblit {
namespace {

constexpr uint64_t kMaxPacketPixels = 128;

enum ImageType : uint8_t { mapped = 1, trueColour = 2, grey = 3, runMapped = 9, runTrueColour = 10, runGrey = 11 };

struct TgaHeader {
    uint8_t idLength = 0, mapType = 0, type = 0;
    uint16_t mapFirst = 0, mapLength = 0;
    uint8_t mapEntryBits = 0;
    uint16_t width = 0, height = 0;
    uint8_t pixelBits = 0, descriptor = 0;

    ImageType base() const { return ImageType(type & 7); }
    bool runLengths() const { return type & 8; }
    bool hasAlpha() const { return (descriptor & 15) != 0; }
};

bool readHeader(ByteCursor &cursor, TgaHeader &h) {
    uint16_t xOrigin, yOrigin;
    if (!cursor.u8(h.idLength) || !cursor.u8(h.mapType) || !cursor.u8(h.type) || !cursor.u16(h.mapFirst) ||
        !cursor.u16(h.mapLength) || !cursor.u8(h.mapEntryBits) || !cursor.u16(xOrigin) || !cursor.u16(yOrigin) ||
        !cursor.u16(h.width) || !cursor.u16(h.height) || !cursor.u8(h.pixelBits) || !cursor.u8(h.descriptor))
        return refuse("not a TGA file");
    if (h.mapType > 1) return refuse("not a TGA file");
    const ImageType base = h.base();
    if ((h.type & ~8) != base || base < mapped || base > grey) return refuse("unsupported TGA image type");
    if (base == mapped && (h.mapType != 1 || (h.pixelBits != 8 && h.pixelBits != 16)))
        return refuse("unsupported TGA colour-mapped depth");
    if (base == trueColour && h.pixelBits != 15 && h.pixelBits != 16 && h.pixelBits != 24 && h.pixelBits != 32)
        return refuse("unsupported TGA true-colour depth");
    if (base == grey && h.pixelBits != 8 && h.pixelBits != 16) return refuse("unsupported TGA grey depth");
    if (h.mapType == 1 && h.mapEntryBits != 15 && h.mapEntryBits != 16 && h.mapEntryBits != 24 && h.mapEntryBits != 32)
        return refuse("unsupported TGA colour map depth");
    return withinImageLimits(h.width, h.height);
}

// A true-colour value of 15, 16, 24 or 32 bits stored blue first; 16-bit values
// carry alpha in their top bit and 32-bit ones in their last byte when the file
// declares alpha bits.
uint32_t trueColourPixel(const uint8_t *p, unsigned bits, bool alpha) {
    if (bits <= 16) {
        const unsigned v = p[0] | p[1] << 8;
        const auto scale = [](unsigned field) { return uint8_t((field * 255 + 15) / 31); };
        return packRGBA(scale(v >> 10 & 31), scale(v >> 5 & 31), scale(v & 31), bits == 16 && alpha && !(v & 0x8000) ? 0 : 255);
    }
    return packRGBA(p[2], p[1], p[0], bits == 32 && alpha ? p[3] : 255);
}

// Turns one stored value into a pixel.
struct PixelReader {
    const TgaHeader &h;
    std::vector<uint32_t> map;

    unsigned bytes() const { return (h.pixelBits + 7) / 8u; }
    uint32_t operator()(const uint8_t *p) const {
        switch (h.base()) {
        case mapped: {
            const unsigned index = h.pixelBits == 8 ? p[0] : p[0] | p[1] << 8;
            return index >= h.mapFirst && index - h.mapFirst < map.size() ? map[index - h.mapFirst] : 0;
        }
        case grey: return packRGBA(p[0], p[0], p[0], h.pixelBits == 16 ? p[1] : 255);
        default: return trueColourPixel(p, h.pixelBits, h.hasAlpha());
        }
    }
};

// Places pixels in file order: row by row from the stored origin.
class PixelPlacer {
public:
    PixelPlacer(PendingImage &image, const TgaHeader &h) : image_(image), h_(h) {}
    bool done() const { return row_ == h_.height; }
    void put(uint32_t pixel) {
        const uint32_t y = h_.descriptor & 0x20 ? row_ : h_.height - 1u - row_;
        const uint32_t x = h_.descriptor & 0x10 ? h_.width - 1u - column_ : column_;
        image_.row(y)[x] = pixel;
        if (++column_ == h_.width) column_ = 0, ++row_;
    }

private:
    PendingImage &image_;
    const TgaHeader &h_;
    uint32_t column_ = 0, row_ = 0;
};

}  // namespace

bool tgaDecode(GFXimage *image, const uint8_t *data, uint32_t size) {
    ByteCursor cursor(data, size);
    TgaHeader h;
    if (!readHeader(cursor, h)) return false;
    if (!cursor.skip(h.idLength)) return refuseAt("TGA file ends early", size);

    PixelReader read{h, {}};
    if (h.mapType == 1) {
        const unsigned entryBytes = (h.mapEntryBits + 7) / 8u;
        const uint8_t *entries;
        if (!cursor.take(size_t(h.mapLength) * entryBytes, entries)) return refuseAt("TGA colour map runs past the end", size);
        // A map in a file that is not colour-mapped is skipped.
        for (unsigned i = 0; h.base() == mapped && i < h.mapLength; ++i, entries += entryBytes)
            read.map.push_back(trueColourPixel(entries, h.mapEntryBits, h.hasAlpha()));
    }

    const uint64_t pixels = uint64_t(h.width) * h.height;
    const unsigned bytes = read.bytes();
    if (h.runLengths() ? pixels > cursor.remaining() * kMaxPacketPixels : !hasItems(cursor, pixels, bytes))
        return refuseAt("TGA pixels end early", size);

    PendingImage result(h.width, h.height);
    if (!result.allocated()) return refuse("out of memory");
    PixelPlacer place(result, h);
    while (!place.done()) {
        uint8_t packet = 0x7F;  // raw data: one long stretch of raw values
        if (h.runLengths() && !cursor.u8(packet)) return refuseAt("TGA pixels end early", size);
        const bool run = h.runLengths() && packet & 0x80;
        uint64_t count = h.runLengths() ? (packet & 0x7Fu) + 1 : pixels;
        const uint8_t *values;
        if (!cursor.take(run ? bytes : size_t(count) * bytes, values)) return refuseAt("TGA pixels end early", size);
        for (; count > 0 && !place.done(); --count, values += run ? 0 : bytes) place.put(read(values));
    }
    return result.handOver(image);
}

}  // namespace zorblit

bool tgaLoadMem(GFXimage *image, const uint8_t *data, uint32_t size) {
    return zorblit::readMemory(image, data, size, zorblit::tgaDecode);
}

bool tgaLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, zorblit::tgaDecode); }
