// Chunk layout: 4-byte big-endian length, 4-byte type, data, CRC-32 of type and
// data. Chunks the decoder does not need are skipped after their CRC check.
#include "loaders/png_chunks.h"

#include <cstring>

#include "loaders/checksum.h"
#include "loaders/reader.h"
#include "loaders/refusal.h"

namespace zorblit::png {
namespace {

constexpr uint8_t signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr uint32_t maxDimension = 1u << 24;

uint32_t big32(const uint8_t *p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

constexpr uint32_t chunkType(const char (&name)[5]) {
    return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 | uint32_t(uint8_t(name[2])) << 8 |
           uint8_t(name[3]);
}

class ChunkReader {
public:
    explicit ChunkReader(Contents &contents) : c_(contents) {}

    // False when the chunk makes the file unusable; done once IEND is handled.
    bool handle(uint32_t type, const uint8_t *data, size_t length) {
        switch (type) {
            case chunkType("IHDR"): return header(data, length);
            case chunkType("PLTE"): return palette(data, length);
            case chunkType("tRNS"): return transparency(data, length);
            case chunkType("IDAT"): return imageData(data, length);
            case chunkType("IEND"): return done_ = haveHeader_ && paletteReady() && c_.compressedSize > 0;
            case chunkType("CgBI"): c_.cgbi = true; return true;
            default: return true;
        }
    }
    bool done() const { return done_; }

private:
    bool header(const uint8_t *p, size_t length) {
        if (length != 13 || haveHeader_) return false;
        Header &h = c_.header;
        h.width = big32(p);
        h.height = big32(p + 4);
        h.bitDepth = p[8];
        h.colourType = p[9];
        const uint8_t compression = p[10], filter = p[11], interlace = p[12];
        if (h.width == 0 || h.height == 0) return refuse("image of zero width or height");
        if (h.width > maxDimension || h.height > maxDimension) return refuse("image too large");
        if (!allowedDepth(h.colourType, h.bitDepth)) return refuse("unsupported PNG colour type and bit depth");
        if (compression != 0 || filter != 0) return refuse("unsupported PNG compression or filter method");
        if (interlace > 1) return refuse("unsupported PNG interlace method");
        // At most 2^30 samples, counting four per palette pixel.
        const uint32_t limitChannels = h.colourType == ColourType::palette ? 4 : h.channels();
        if (h.height > ((1u << 30) / h.width) / limitChannels) return refuse("image too large");
        h.interlaced = interlace == 1;
        haveHeader_ = true;
        return true;
    }

    bool palette(const uint8_t *p, size_t length) {
        if (!haveHeader_) return false;
        // A suggested palette for a true-colour image is allowed and not needed.
        if (c_.header.colourType == ColourType::rgb || c_.header.colourType == ColourType::rgba) return true;
        if (c_.header.colourType != ColourType::palette) return refuse("PNG palette in a grey image");
        // After a palette tRNS, a further PLTE carries red, green, blue, alpha.
        const size_t entryBytes = paletteTransparency_ ? 4 : 3;
        if (length % entryBytes) return false;
        for (size_t i = 0; i < length; i += entryBytes) {
            const uint32_t alpha = entryBytes == 4 ? p[i + 3] : 255;
            c_.palette.push_back(alpha << 24 | uint32_t(p[i]) << 16 | uint32_t(p[i + 1]) << 8 | p[i + 2]);
        }
        return true;
    }

    bool transparency(const uint8_t *p, size_t length) {
        if (!haveHeader_ || !c_.compressed.empty()) return false;
        if (c_.header.colourType == ColourType::palette) {
            if (c_.palette.empty() || length > c_.palette.size()) return false;
            for (size_t i = 0; i < length; ++i) c_.palette[i] = (c_.palette[i] & 0x00FFFFFF) | uint32_t(p[i]) << 24;
            paletteTransparency_ = true;
            return true;
        }
        const unsigned channels = c_.header.channels();
        TransparentColour &t = c_.transparent;
        if (length == channels) {
            for (unsigned i = 0; i < channels; ++i) t.values[i] = uint16_t(p[i] * 257);
            t.twoByteForm = false;
        } else if (channels % 2 == 1 && length == 2 * channels) {
            for (unsigned i = 0; i < channels; ++i) t.values[i] = uint16_t(p[2 * i] << 8 | p[2 * i + 1]);
            t.twoByteForm = true;
        } else {
            return false;
        }
        t.present = true;
        return true;
    }

    bool imageData(const uint8_t *p, size_t length) {
        if (!haveHeader_ || !paletteReady()) return false;
        c_.compressed.push_back({p, length});
        c_.compressedSize += length;
        return true;
    }

    bool paletteReady() const { return c_.header.colourType != ColourType::palette || !c_.palette.empty(); }

    Contents &c_;
    bool haveHeader_ = false;
    bool paletteTransparency_ = false;
    bool done_ = false;
};

}  // namespace

bool readChunks(const uint8_t *data, size_t size, Contents &contents) {
    if (size <= sizeof signature || std::memcmp(data, signature, sizeof signature) != 0)
        return refuse("not a PNG file");
    ByteCursor cursor(data + sizeof signature, size - sizeof signature);
    ChunkReader reader(contents);
    while (cursor.remaining() >= 12) {
        const uint8_t *lengthBytes = nullptr, *typeAndData = nullptr, *crcBytes = nullptr;
        const size_t at = sizeof signature + cursor.position();
        cursor.take(4, lengthBytes);
        const uint32_t length = big32(lengthBytes);
        if (!hasBytes(cursor, uint64_t(length) + 8)) return refuseAt("PNG chunk runs past the end", at);
        cursor.take(4 + size_t(length), typeAndData);
        cursor.take(4, crcBytes);
        if (updateCrc32(0, typeAndData, 4 + size_t(length)) != big32(crcBytes))
            return refuseAt("PNG chunk checksum mismatch", at);
        if (!reader.handle(big32(typeAndData), typeAndData + 4, length)) return refuseAt("damaged PNG chunk", at);
        if (reader.done()) return true;
    }
    return refuseAt("PNG file ends before IEND", size);
}

}  // namespace zorblit::png
