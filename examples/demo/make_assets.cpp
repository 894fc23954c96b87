// Writes the demo's picture files into the directory given as the argument: a PNG
// with alpha and a JPEG through libpng and libjpeg, and a BMP, a PCX, an IM, a GIF
// animation, a TGA and a QOI file written byte by byte. Each holds a different
// small picture.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "asset_files.h"

namespace {

struct Rgb {
    uint8_t r, g, b;
};

uint8_t clampByte(double v) { return uint8_t(std::lround(std::fmin(255.0, std::fmax(0.0, v)))); }

Rgb hueColour(double turns) {
    const double t = turns * 6.283185307;
    return {clampByte(128 + 127 * std::cos(t)), clampByte(128 + 127 * std::cos(t - 2.094)),
            clampByte(128 + 127 * std::cos(t + 2.094))};
}

class ByteFile {
public:
    explicit ByteFile(const std::string &path) : file_(std::fopen(path.c_str(), "wb")) {}
    ~ByteFile() {
        if (file_) std::fclose(file_);
    }
    ByteFile(const ByteFile &) = delete;
    ByteFile &operator=(const ByteFile &) = delete;

    bool ok() const { return file_ != nullptr; }
    FILE *get() const { return file_; }
    void u8(unsigned v) { std::fputc(int(v & 0xFF), file_); }
    void u16(unsigned v) { u8(v), u8(v >> 8); }
    void u32(unsigned v) { u16(v & 0xFFFF), u16(v >> 16); }
    void zeros(unsigned count) {
        while (count--) u8(0);
    }

private:
    FILE *file_;
};

// A ring of hues, opaque in the middle and fading to clear at the rim.
bool writePng(const std::string &path) {
    constexpr int kSize = 96;
    std::vector<uint8_t> rgba(kSize * kSize * 4);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double dx = x - 47.5, dy = y - 47.5, d = std::sqrt(dx * dx + dy * dy) / 47.5;
            const Rgb c = hueColour(std::atan2(dy, dx) / 6.283185307 + d * 0.5);
            uint8_t *p = &rgba[size_t(y * kSize + x) * 4];
            p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = clampByte((1.0 - d) * 400.0);
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kSize;
    image.height = kSize;
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}

// A sky, a sun and rolling hills: smooth shades that JPEG keeps well.
bool writeJpeg(const std::string &path) {
    constexpr int kWidth = 128, kHeight = 96;
    std::vector<uint8_t> rgb(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double hill = 60 + 10 * std::sin(x * 0.08) + 6 * std::sin(x * 0.21 + 1);
            const double sun = std::hypot(x - 90.0, y - 28.0);
            Rgb c{clampByte(90 + y), clampByte(140 + y), 240};
            if (sun < 14) c = {255, 220, 90};
            if (y > hill) c = {clampByte(40 + (y - hill) * 2), clampByte(150 - (y - hill)), 60};
            uint8_t *p = &rgb[size_t(y * kWidth + x) * 3];
            p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    ByteFile file(path);
    if (!file.ok()) return false;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file.get());
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &rgb[cinfo.next_scanline * kWidth * 3];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

// 24 bits per pixel, rows bottom-up padded to four bytes: coloured tiles.
bool writeBmp(const std::string &path) {
    constexpr unsigned kWidth = 90, kHeight = 90;  // 270-byte rows, padded to 272
    constexpr unsigned kRowBytes = (kWidth * 3 + 3) & ~3u;
    ByteFile file(path);
    if (!file.ok()) return false;
    file.u8('B'), file.u8('M'), file.u32(54 + kRowBytes * kHeight), file.u32(0), file.u32(54);
    file.u32(40), file.u32(kWidth), file.u32(kHeight), file.u16(1), file.u16(24), file.u32(0);
    file.u32(kRowBytes * kHeight), file.u32(2835), file.u32(2835), file.u32(0), file.u32(0);
    for (unsigned row = 0; row < kHeight; ++row) {
        const unsigned y = kHeight - 1 - row;
        for (unsigned x = 0; x < kWidth; ++x) {
            const Rgb c = ((x / 15 + y / 15) % 2) ? hueColour((x + y) / 180.0) : Rgb{230, 230, 230};
            file.u8(c.b), file.u8(c.g), file.u8(c.r);
        }
        file.zeros(kRowBytes - kWidth * 3);
    }
    return true;
}

// Version 5, one 8-bit plane, run-length encoded, an odd width padded to an even
// row length: concentric rings through a palette of hues.
bool writePcx(const std::string &path) {
    constexpr unsigned kWidth = 99, kHeight = 80, kBytesPerLine = 100;
    ByteFile file(path);
    if (!file.ok()) return false;
    file.u8(10), file.u8(5), file.u8(1), file.u8(8);
    file.u16(0), file.u16(0), file.u16(kWidth - 1), file.u16(kHeight - 1), file.u16(72), file.u16(72);
    file.zeros(48 + 1);
    file.u8(1), file.u16(kBytesPerLine), file.u16(1);
    file.zeros(58);
    for (unsigned y = 0; y < kHeight; ++y) {
        std::vector<uint8_t> row(kBytesPerLine, 0);
        for (unsigned x = 0; x < kWidth; ++x) row[x] = uint8_t(std::hypot(x - 49.0, y - 40.0) * 3.0);
        for (size_t x = 0; x < row.size();) {
            size_t run = 1;
            while (x + run < row.size() && row[x + run] == row[x] && run < 63) ++run;
            if (run > 1 || row[x] >= 0xC0) file.u8(0xC0 | unsigned(run));
            file.u8(row[x]);
            x += run;
        }
    }
    file.u8(12);
    for (unsigned i = 0; i < 256; ++i) {
        const Rgb c = hueColour(i / 96.0);
        file.u8(c.r), file.u8(c.g), file.u8(c.b);
    }
    return true;
}

// A count of palette entries, width and height, 6-bit palette entries, then one
// index per pixel: an XOR pattern in 63 blues and greens (slot 0 stays black).
bool writeIm(const std::string &path) {
    constexpr unsigned kSize = 64, kEntries = 63;
    ByteFile file(path);
    if (!file.ok()) return false;
    file.u8(kEntries), file.u16(kSize), file.u16(kSize);
    for (unsigned i = 1; i <= kEntries; ++i) file.u8(i / 4), file.u8(i), file.u8(63 - i / 2);
    for (unsigned y = 0; y < kSize; ++y)
        for (unsigned x = 0; x < kSize; ++x) file.u8(((x ^ y) % kEntries) + 1);
    return true;
}

// A ball bouncing over a clear screen: eight 24x24 frames on a 64x64 screen,
// index 0 transparent, each frame's rectangle cleared before the next. The image
// data uses 9-bit codes only, a clear code at least every 254 of them.
bool writeGif(const std::string &path) {
    constexpr unsigned kScreen = 64, kBall = 24, kFrames = 8;
    ByteFile file(path);
    if (!file.ok()) return false;
    std::fputs("GIF89a", file.get());
    file.u16(kScreen), file.u16(kScreen), file.u8(0xF7), file.u8(0), file.u8(0);
    for (unsigned i = 0; i < 256; ++i) {
        const Rgb c = hueColour(i / 256.0);
        file.u8(c.r), file.u8(c.g), file.u8(c.b);
    }
    file.u8(0x21), file.u8(0xFF), file.u8(11);
    std::fputs("NETSCAPE2.0", file.get());
    file.u8(3), file.u8(1), file.u16(0), file.u8(0);  // loop forever
    for (unsigned n = 0; n < kFrames; ++n) {
        const double t = n / double(kFrames);
        const unsigned left = unsigned(std::lround(20 + 20 * std::cos(t * 6.283185307)));
        const unsigned top = unsigned(std::lround(40 * std::fabs(std::sin(t * 3.14159265))));
        file.u8(0x21), file.u8(0xF9), file.u8(4), file.u8(2 << 2 | 1), file.u16(9), file.u8(0), file.u8(0);
        file.u8(0x2C), file.u16(left), file.u16(40 - top), file.u16(kBall), file.u16(kBall), file.u8(0);
        std::vector<uint8_t> codes;
        uint32_t bits = 0, pending = 0;
        const auto emit = [&](unsigned code) {
            bits |= code << pending;
            for (pending += 9; pending >= 8; pending -= 8, bits >>= 8) codes.push_back(uint8_t(bits));
        };
        for (unsigned i = 0; i < kBall * kBall; ++i) {
            if (i % 254 == 0) emit(256);
            const double dx = i % kBall - 11.5, dy = i / kBall - 11.5;
            emit(dx * dx + dy * dy < 132 ? 1 + (n * 32 + i / kBall * 4) % 255 : 0);
        }
        emit(257);
        if (pending) codes.push_back(uint8_t(bits));
        file.u8(8);
        for (size_t at = 0; at < codes.size(); at += 255) {
            const size_t length = std::min<size_t>(255, codes.size() - at);
            file.u8(unsigned(length));
            std::fwrite(codes.data() + at, 1, length, file.get());
        }
        file.u8(0);
    }
    file.u8(0x3B);
    return true;
}

// Run-length coded 32-bit TGA, top row first, with alpha: a soft-edged diamond.
bool writeTga(const std::string &path) {
    constexpr unsigned kSize = 80;
    ByteFile file(path);
    if (!file.ok()) return false;
    file.u8(0), file.u8(0), file.u8(10), file.zeros(5), file.u16(0), file.u16(0);
    file.u16(kSize), file.u16(kSize), file.u8(32), file.u8(0x28);
    for (unsigned y = 0; y < kSize; ++y)
        for (unsigned x = 0; x < kSize;) {
            const auto colourAt = [&](unsigned px) {
                const double d = (std::fabs(px - 39.5) + std::fabs(y - 39.5)) / 40.0;
                const Rgb c = hueColour(y / 80.0);
                return std::array<uint8_t, 4>{c.b, c.g, c.r, clampByte((1.0 - d) * 600.0)};
            };
            unsigned run = 1;
            while (x + run < kSize && run < 128 && colourAt(x + run) == colourAt(x)) ++run;
            file.u8(0x80 | (run - 1));
            for (const uint8_t v : colourAt(x)) file.u8(v);
            x += run;
        }
    return true;
}

// QOI of every pixel written whole (red, green, blue, alpha), except runs of one
// colour: stripes of colour with a clear band.
bool writeQoi(const std::string &path) {
    constexpr unsigned kWidth = 96, kHeight = 64;
    ByteFile file(path);
    if (!file.ok()) return false;
    std::fputs("qoif", file.get());
    for (const unsigned v : {kWidth, kHeight}) file.u8(v >> 24), file.u8(v >> 16), file.u8(v >> 8), file.u8(v);
    file.u8(4), file.u8(0);
    for (unsigned y = 0; y < kHeight; ++y) {
        const Rgb c = hueColour(y / 16.0);
        const uint8_t alpha = y >= 28 && y < 36 ? 0 : 255;
        for (unsigned x = 0; x < kWidth; x += 48) {
            file.u8(0xFF), file.u8(c.r), file.u8(c.g), file.u8(c.b), file.u8(alpha);
            file.u8(0xC0 | 46);  // the same colour 47 more times
        }
    }
    file.zeros(7), file.u8(1);
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    namespace assets = demo::assets;
    const bool ok = writePng(dir + assets::kPng) && writeJpeg(dir + assets::kJpeg) && writeBmp(dir + assets::kBmp) &&
                    writePcx(dir + assets::kPcx) && writeIm(dir + assets::kIm) && writeGif(dir + assets::kGif) &&
                    writeTga(dir + assets::kTga) && writeQoi(dir + assets::kQoi);
    if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", argv[1]);
    return ok ? 0 : 1;
}
