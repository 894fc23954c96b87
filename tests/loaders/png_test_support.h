// PNG files for the reader tests: written by libpng (the reference) or built
// chunk by chunk with zlib (for files libpng would refuse to write), and libpng's
// own decoding of them to 8-bit RGBA.
#pragma once
#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zorblit::test {

using Bytes = std::vector<uint8_t>;

inline void appendBig32(Bytes &out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

// Compresses with zlib; raw gives bare deflate data (the CgBI variant).
inline Bytes deflateBytes(const Bytes &data, int level = 6, bool raw = false, int strategy = Z_DEFAULT_STRATEGY) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, raw ? -15 : 15, 8, strategy);
    Bytes out(deflateBound(&z, uLong(data.size())));
    z.next_in = const_cast<Bytef *>(data.data());
    z.avail_in = uInt(data.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// A PNG file assembled chunk by chunk; every chunk gets its correct CRC.
class PngBuilder {
public:
    PngBuilder() : bytes_{137, 80, 78, 71, 13, 10, 26, 10} {}

    PngBuilder &chunk(const std::string &type, const Bytes &data) {
        appendBig32(bytes_, uint32_t(data.size()));
        Bytes typed(type.begin(), type.end());
        typed.insert(typed.end(), data.begin(), data.end());
        bytes_.insert(bytes_.end(), typed.begin(), typed.end());
        appendBig32(bytes_, uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
        return *this;
    }
    PngBuilder &header(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType, uint8_t interlace = 0) {
        Bytes data;
        appendBig32(data, width);
        appendBig32(data, height);
        data.insert(data.end(), {depth, colourType, 0, 0, interlace});
        return chunk("IHDR", data);
    }
    // Rows of filter byte and samples, compressed into one IDAT.
    PngBuilder &imageData(const Bytes &filteredRows, bool raw = false) {
        return chunk("IDAT", deflateBytes(filteredRows, 6, raw));
    }
    PngBuilder &end() { return chunk("IEND", {}); }
    const Bytes &bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

// What to write with libpng. Samples are given at the file's depth, one value
// per channel, rows top to bottom.
struct PngPicture {
    uint32_t width = 0, height = 0;
    int depth = 8, colourType = PNG_COLOR_TYPE_RGB;
    bool interlaced = false;
    std::vector<uint16_t> samples;
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;  // palette tRNS
    bool keyed = false;                 // grey or RGB tRNS
    png_color_16 key{};
    bool extraChunks = false;  // gAMA and tEXt, which the reader skips

    int channels() const {
        switch (colourType) {
            case PNG_COLOR_TYPE_RGB: return 3;
            case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
            case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
            default: return 1;
        }
    }
};

Bytes writeWithLibpng(const PngPicture &picture);
// libpng's reading as 8-bit RGBA packed to 0xAARRGGBB (16-bit samples keep
// their high byte); empty when libpng refuses the file.
std::vector<uint32_t> readWithLibpng(const Bytes &file);

}  // namespace zorblit::test
