// Windows bitmaps: uncompressed 1, 4, 8, 24 and 32 bits per pixel (32 bits also
// with channel masks), any info header of 40 bytes or more, bottom-up or top-down.
#include "loaders/bmp.h"

#include <array>
#include <bit>

#include "core/image_math.h"
#include "loaders/reader.h"

namespace zorblit {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kMinInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitfields = 3;
constexpr uint32_t kOpaque = 0xFF000000;

using Palette = std::array<uint32_t, 256>;

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
};

bool readHeader(ByteCursor &cursor, BmpHeader &header) {
    const uint8_t *signature;
    uint16_t planes;
    if (!cursor.take(2, signature) || signature[0] != 'B' || signature[1] != 'M') return false;
    if (!cursor.skip(8) || !cursor.u32(header.pixelOffset)) return false;
    if (!cursor.u32(header.infoSize) || header.infoSize < kMinInfoHeaderSize) return false;
    if (!cursor.i32(header.width) || !cursor.i32(header.height) || !cursor.u16(planes)) return false;
    if (!cursor.u16(header.bitsPerPixel) || !cursor.u32(header.compression)) return false;
    if (!cursor.skip(12) || !cursor.u32(header.coloursUsed) || !cursor.skip(4)) return false;
    // The masks follow the 40-byte part of the header, inside a longer header or
    // after a plain one.
    if (header.compression == kBitfields)
        for (uint32_t &mask : header.masks)
            if (!cursor.u32(mask)) return false;
    return header.width > 0 && header.height != 0 && header.height != INT32_MIN;
}

bool decodableDepth(const BmpHeader &header) {
    switch (header.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 24:
        return header.compression == kUncompressed;
    case 32:
        return header.compression == kUncompressed || header.compression == kBitfields;
    default:
        return false;
    }
}

// Entries of blue, green, red, reserved right after the info header; as many as
// the colours-used field says (0: all the depth can index). Missing ones are black.
bool readPalette(ByteCursor cursor, const BmpHeader &header, Palette &palette) {
    palette.fill(kOpaque);
    const uint32_t capacity = 1u << header.bitsPerPixel;
    const uint32_t count = header.coloursUsed == 0 || header.coloursUsed > capacity ? capacity : header.coloursUsed;
    const uint8_t *entries;
    if (!cursor.seek(kFileHeaderSize + uint64_t(header.infoSize)) || !cursor.take(size_t(count) * 4, entries))
        return false;
    for (uint32_t i = 0; i < count; ++i, entries += 4)
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

// One colour channel of a 32-bit pixel: a run of set bits somewhere in the word.
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

void decodeMaskedRow(const uint8_t *source, uint32_t *target, uint32_t width, const std::array<MaskedChannel, 3> &rgb) {
    for (uint32_t x = 0; x < width; ++x, source += 4) {
        const uint32_t pixel = uint32_t(source[0]) | uint32_t(source[1]) << 8 | uint32_t(source[2]) << 16 |
                               uint32_t(source[3]) << 24;
        target[x] = packRGBA(rgb[0](pixel), rgb[1](pixel), rgb[2](pixel), 255);
    }
}

constexpr std::array<uint32_t, 3> kPlainMasks = {0x00FF0000, 0x0000FF00, 0x000000FF};

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
        case 24: return decodeBgrRow<3>(source, target, width);
        default:
            if (masks == kPlainMasks) return decodeBgrRow<4>(source, target, width);
            return decodeMaskedRow(source, target, width, channels);
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
    if (!decodeRow.setMasks(header.compression == kBitfields ? header.masks : kPlainMasks)) return false;

    // Rows are padded to 4 bytes; the last row's padding may be missing.
    const uint32_t rows = header.rows();
    const uint64_t rowBytes = (uint64_t(decodeRow.width) * decodeRow.bits + 7) / 8;
    const uint64_t stride = (rowBytes + 3) / 4 * 4;
    if (!cursor.seek(header.pixelOffset) || !hasItems(cursor, rows - 1, stride) ||
        !hasBytes(cursor, stride * (rows - 1) + rowBytes))
        return false;

    PendingImage result(decodeRow.width, rows);

    if (!result.allocated()) return false;
    const uint8_t *pixels = data + header.pixelOffset;
    for (uint32_t fileRow = 0; fileRow < rows; ++fileRow) {
        const uint32_t y = header.topDown() ? fileRow : rows - 1 - fileRow;
        decodeRow(pixels + stride * fileRow, result.row(y));
    }
    return result.handOver(image);
}

}  // namespace zorblit

bool bmpLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, zorblit::bmpDecode); }
