// PCX files of one 8-bit plane, run-length encoded, with the 256-entry palette at
// the end. Rows hold bytes-per-line decoded bytes; those beyond the picture's
// width are padding, decoded but not drawn.
#include "loaders/pcx.h"

#include <array>

#include "core/image_math.h"
#include "loaders/reader.h"
#include "loaders/refusal.h"

namespace zorblit {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteBlockSize = 769;  // marker byte 12, then 256 × red, green, blue
constexpr uint8_t kPaletteMarker = 12;
constexpr uint8_t kRunMarker = 0xC0;
// One run (two bytes) gives at most 63 bytes.
constexpr uint64_t kMaxRunLength = 63;

struct PcxHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bytesPerLine = 0;
};

bool readHeader(ByteCursor &cursor, PcxHeader &header) {
    uint8_t manufacturer, version, encoding, bitsPerPixel, planes;
    uint16_t xmin, ymin, xmax, ymax, bytesPerLine;
    if (!cursor.u8(manufacturer) || !cursor.u8(version) || !cursor.u8(encoding) || !cursor.u8(bitsPerPixel))
        return false;
    if (!cursor.u16(xmin) || !cursor.u16(ymin) || !cursor.u16(xmax) || !cursor.u16(ymax)) return false;
    if (!cursor.skip(53) || !cursor.u8(planes) || !cursor.u16(bytesPerLine) || !cursor.skip(60))
        return refuse("not a PCX file");
    if (manufacturer != 10) return refuse("not a PCX file");
    if (version != 5 || bitsPerPixel != 8 || planes != 1) return refuse("unsupported PCX version, depth or planes");
    if (xmax < xmin || ymax < ymin) return refuse("damaged PCX header");
    header.width = uint32_t(xmax - xmin) + 1;
    header.height = uint32_t(ymax - ymin) + 1;
    header.bytesPerLine = bytesPerLine;
    return header.width <= header.bytesPerLine || refuse("damaged PCX header");
}

bool readPalette(const uint8_t *block, std::array<uint32_t, 256> &palette) {
    if (block[0] != kPaletteMarker) return refuse("PCX palette missing");
    const uint8_t *entry = block + 1;
    for (uint32_t &colour : palette) {
        colour = packRGBA(entry[0], entry[1], entry[2], 255);
        entry += 3;
    }
    return true;
}

// Walks the decoded bytes row by row and draws those inside the picture.
class RowWriter {
public:
    RowWriter(PendingImage &image, const PcxHeader &header, const std::array<uint32_t, 256> &palette)
        : image_(image), header_(header), palette_(palette) {}

    bool done() const { return y_ == header_.height; }

    void put(uint8_t index, unsigned count) {
        for (; count > 0 && !done(); --count) {
            if (x_ < header_.width) image_.row(y_)[x_] = palette_[index];
            if (++x_ == header_.bytesPerLine) {
                x_ = 0;
                ++y_;
            }
        }
    }

private:
    PendingImage &image_;
    const PcxHeader &header_;
    const std::array<uint32_t, 256> &palette_;
    uint32_t x_ = 0;
    uint32_t y_ = 0;
};

}  // namespace

bool pcxDecode(GFXimage *image, const uint8_t *data, uint32_t size) {
    ByteCursor cursor(data, size);
    PcxHeader header;
    std::array<uint32_t, 256> palette;
    if (!readHeader(cursor, header)) return false;
    if (cursor.remaining() < kPaletteBlockSize) return refuse("PCX palette missing");
    if (!readPalette(data + size - kPaletteBlockSize, palette)) return false;

    // The encoded rows lie between the header and the palette block; they must be
    // able to fill the picture before it is allocated.
    ByteCursor encoded(data + kHeaderSize, cursor.remaining() - kPaletteBlockSize);
    const uint64_t decodedBytes = uint64_t(header.bytesPerLine) * header.height;
    if (decodedBytes * 2 > encoded.remaining() * kMaxRunLength) return refuse("PCX data too short for its size");

    PendingImage result(header.width, header.height);

    if (!result.allocated()) return refuse("out of memory");
    RowWriter rows(result, header, palette);
    while (!rows.done()) {
        uint8_t code, value;
        if (!encoded.u8(code)) return refuseAt("PCX data ends early", kHeaderSize + encoded.position());
        if (code < kRunMarker) {
            rows.put(code, 1);
        } else {
            if (!encoded.u8(value)) return refuseAt("PCX data ends early", kHeaderSize + encoded.position());
            rows.put(value, code - kRunMarker);
        }
    }
    return result.handOver(image);
}

}  // namespace zorblit

bool pcxLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, zorblit::pcxDecode); }
