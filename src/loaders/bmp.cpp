// Windows bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel (16 and 32 also with
// channel masks), 8- and 4-bit run-length encoding, the 12-byte OS/2 core header
// and any info header of 40 bytes or more, bottom-up or top-down.
#include "loaders/bmp.h"

#include <algorithm>
#include <array>
#include <bit>

#include "core/image_math.h"
#include "loaders/bmp_rle.h"
#include "loaders/reader.h"
#include "loaders/refusal.h"

namespace zorblit {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kMinInfoHeaderSize = 40;
constexpr uint32_t kOpaque = 0xFF000000;
// A run-length stream may leave pixels unset, but the picture may not outgrow
// its data by more than this many pixels per byte.
constexpr uint64_t kMaxPixelsPerRunByte = 256;

enum Compression : uint32_t { uncompressed = 0, rle8 = 1, rle4 = 2, bitfields = 3, jpeg = 4, png = 5 };

using Palette = BmpPalette;

struct BmpHeader {
    uint32_t pixelOffset = 0;
    uint32_t infoSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    std::array<uint32_t, 3> masks{};  // red, green, blue; read for channel-mask files only

    uint32_t rows() const { return height < 0 ? uint32_t(0) - uint32_t(height) : uint32_t(height); }
    bool topDown() const { return height < 0; }
    bool core() const { return infoSize == kCoreHeaderSize; }
    bool runLengths() const { return compression == rle8 || compression == rle4; }
};

bool readCoreFields(ByteCursor &cursor, BmpHeader &header) {
    uint16_t width, height, planes;
    if (!cursor.u16(width) || !cursor.u16(height) || !cursor.u16(planes) || !cursor.u16(header.bitsPerPixel))
        return false;
    header.width = width;
    header.height = height;
    return true;
}

bool readInfoFields(ByteCursor &cursor, BmpHeader &header) {
    uint16_t planes;
    if (!cursor.i32(header.width) || !cursor.i32(header.height) || !cursor.u16(planes)) return false;
    if (!cursor.u16(header.bitsPerPixel) || !cursor.u32(header.compression)) return false;
    if (!cursor.skip(12) || !cursor.u32(header.coloursUsed) || !cursor.skip(4)) return false;
    // The masks follow the 40-byte part of the header, inside a longer header or
    // after a plain one.
    if (header.compression == bitfields)
        for (uint32_t &mask : header.masks)
            if (!cursor.u32(mask)) return false;
    return true;
}

bool readHeader(ByteCursor &cursor, BmpHeader &header) {
    const uint8_t *signature;
    if (!cursor.take(2, signature) || signature[0] != 'B' || signature[1] != 'M') return refuse("not a BMP file");
    if (!cursor.skip(8) || !cursor.u32(header.pixelOffset) || !cursor.u32(header.infoSize))
        return refuseAt("BMP header ends early", cursor.position());
    if (!header.core() && header.infoSize < kMinInfoHeaderSize) return refuse("unsupported BMP header size");
    if (!(header.core() ? readCoreFields(cursor, header) : readInfoFields(cursor, header)))
        return refuseAt("BMP header ends early", cursor.position());
    if (header.width <= 0 || header.height == 0 || header.height == INT32_MIN) return refuse("bad BMP width or height");
    return withinImageLimits(uint32_t(header.width), header.rows());
}

bool decodableDepth(const BmpHeader &header) {
    switch (header.compression) {
    case uncompressed: {
        const unsigned b = header.bitsPerPixel;
        if (b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32) return true;
        return refuse("unsupported BMP depth");
    }
    case rle8:
        return header.bitsPerPixel == 8 || refuse("BMP 8-bit run-length coding at another depth");
    case rle4:
        return header.bitsPerPixel == 4 || refuse("BMP 4-bit run-length coding at another depth");
    case bitfields:
        return header.bitsPerPixel == 16 || header.bitsPerPixel == 32 || refuse("BMP channel masks at 24 bits or less");
    case jpeg: return refuse("unsupported BMP compression: embedded JPEG");
    case png: return refuse("unsupported BMP compression: embedded PNG");
    default: return refuse("unsupported BMP compression");
    }
}

// Entries of blue, green, red (and a reserved byte, except under the core
// header) right after the header; as many as the colours-used field says (0: all
// the depth can index), under the core header as many as fit before the pixels.
// Missing ones are black.
bool readPalette(ByteCursor cursor, const BmpHeader &header, Palette &palette) {
    palette.fill(kOpaque);
    const uint32_t capacity = 1u << header.bitsPerPixel, entryBytes = header.core() ? 3 : 4;
    const uint32_t start = kFileHeaderSize + header.infoSize;
    uint32_t count = header.coloursUsed == 0 || header.coloursUsed > capacity ? capacity : header.coloursUsed;
    if (header.core() && header.pixelOffset > start) count = std::min(count, (header.pixelOffset - start) / entryBytes);
    const uint8_t *entries;
    if (!cursor.seek(start) || !cursor.take(size_t(count) * entryBytes, entries))
        return refuse("BMP palette runs past the end");
    for (uint32_t i = 0; i < count; ++i, entries += entryBytes)
        palette[i] = packRGBA(entries[2], entries[1], entries[0], 255);
    return true;
}

template <unsigned Bits>
void decodeIndexedRow(const uint8_t *source, uint32_t *target, uint32_t width, const Palette &palette) {
    constexpr unsigned perByte = 8 / Bits;
    constexpr unsigned valueMask = (1u << Bits) - 1;
    for (uint32_t x = 0; x < width; ++x) {
        const unsigned shift = 8 - Bits * (x % perByte + 1);
        target[x] = palette[(source[x / perByte] >> shift) & valueMask];
    }
}

// Blue, green, red in the first three bytes of each pixel.
template <unsigned BytesPerPixel>
void decodeBgrRow(const uint8_t *source, uint32_t *target, uint32_t width) {
    for (uint32_t x = 0; x < width; ++x, source += BytesPerPixel)
        target[x] = packRGBA(source[2], source[1], source[0], 255);
}

// One colour channel of a 16- or 32-bit pixel: a run of set bits somewhere in the word.
class MaskedChannel {
public:
    bool set(uint32_t mask) {
        shift_ = mask ? unsigned(std::countr_zero(mask)) : 0;
        const uint32_t field = mask >> shift_;
        bits_ = unsigned(std::popcount(field));
        return (field & (field + 1)) == 0;  // contiguous
    }
    uint8_t operator()(uint32_t pixel) const {
        if (bits_ == 0) return 0;
        const uint32_t value = (pixel >> shift_) & (uint32_t(-1) >> (32 - bits_));
        if (bits_ >= 8) return uint8_t(value >> (bits_ - 8));
        const uint32_t top = (1u << bits_) - 1;
        return uint8_t((value * 255 + top / 2) / top);
    }

private:
    unsigned shift_ = 0;
    unsigned bits_ = 0;
};

template <unsigned BytesPerPixel>
void decodeMaskedRow(const uint8_t *source, uint32_t *target, uint32_t width, const std::array<MaskedChannel, 3> &rgb) {
    for (uint32_t x = 0; x < width; ++x, source += BytesPerPixel) {
        uint32_t pixel = 0;
        for (unsigned i = 0; i < BytesPerPixel; ++i) pixel |= uint32_t(source[i]) << (8 * i);
        target[x] = packRGBA(rgb[0](pixel), rgb[1](pixel), rgb[2](pixel), 255);
    }
}

constexpr std::array<uint32_t, 3> kPlainMasks = {0x00FF0000, 0x0000FF00, 0x000000FF};
constexpr std::array<uint32_t, 3> kPlain16BitMasks = {0x7C00, 0x03E0, 0x001F};

// Turns one stored row into image pixels.
struct RowDecoder {
    unsigned bits = 0;
    uint32_t width = 0;
    Palette palette{};
    std::array<uint32_t, 3> masks{};
    std::array<MaskedChannel, 3> channels{};

    bool setMasks(const std::array<uint32_t, 3> &rgb) {
        masks = rgb;
        for (size_t i = 0; i < channels.size(); ++i)
            if (!channels[i].set(masks[i])) return false;
        return true;
    }

    void operator()(const uint8_t *source, uint32_t *target) const {
        switch (bits) {
        case 1: return decodeIndexedRow<1>(source, target, width, palette);
        case 4: return decodeIndexedRow<4>(source, target, width, palette);
        case 8: return decodeIndexedRow<8>(source, target, width, palette);
        case 16: return decodeMaskedRow<2>(source, target, width, channels);
        case 24: return decodeBgrRow<3>(source, target, width);
        default:
            if (masks == kPlainMasks) return decodeBgrRow<4>(source, target, width);
            return decodeMaskedRow<4>(source, target, width, channels);
        }
    }
};

}  // namespace

bool bmpDecode(GFXimage *image, const uint8_t *data, uint32_t size) {
    ByteCursor cursor(data, size);
    BmpHeader header;
    if (!readHeader(cursor, header) || !decodableDepth(header)) return false;

    RowDecoder decodeRow;
    decodeRow.bits = header.bitsPerPixel;
    decodeRow.width = uint32_t(header.width);
    if (decodeRow.bits <= 8 && !readPalette(cursor, header, decodeRow.palette)) return false;
    const auto &plain = decodeRow.bits == 16 ? kPlain16BitMasks : kPlainMasks;
    if (!decodeRow.setMasks(header.compression == bitfields ? header.masks : plain))
        return refuse("BMP channel mask with a gap");

    const uint32_t rows = header.rows();
    if (!cursor.seek(header.pixelOffset)) return refuse("BMP pixels past the end");
    if (header.runLengths()) {
        if (uint64_t(decodeRow.width) * rows > cursor.remaining() * kMaxPixelsPerRunByte)
            return refuse("BMP run-length data too short for its size");
        PendingImage result(decodeRow.width, rows);
        if (!result.allocated()) return refuse("out of memory");
        if (!decodeRunLengths(cursor, decodeRow.bits, decodeRow.palette, {result, decodeRow.width, rows, header.topDown()}))
            return false;
        return result.handOver(image);
    }

    // Rows are padded to 4 bytes; the last row's padding may be missing.
    const uint64_t rowBytes = (uint64_t(decodeRow.width) * decodeRow.bits + 7) / 8;
    const uint64_t stride = (rowBytes + 3) / 4 * 4;
    if (!hasItems(cursor, rows - 1, stride) || !hasBytes(cursor, stride * (rows - 1) + rowBytes))
        return refuseAt("BMP pixels end early", size);

    PendingImage result(decodeRow.width, rows);
    if (!result.allocated()) return refuse("out of memory");
    const uint8_t *pixels = data + header.pixelOffset;
    for (uint32_t fileRow = 0; fileRow < rows; ++fileRow) {
        const uint32_t y = header.topDown() ? fileRow : rows - 1 - fileRow;
        decodeRow(pixels + stride * fileRow, result.row(y));
    }
    return result.handOver(image);
}

}  // namespace zorblit

bool bmpLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, zorblit::bmpDecode); }
