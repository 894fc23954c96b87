// Shared by the reader tests, and by the writers' for the readings of libpng and
// SDL: files built byte by byte, those readings, and the checks every reader gets:
// decoding from a block of the file's exact size, cut and damaged files, and
// refusals with their reasons.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "loaders/reader.h"
#include "test_images.h"

namespace zorblit::test {

using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;

// File contents appended field by field; little-endian unless big.
struct ByteWriter {
    Bytes bytes;
    bool big = false;
    ByteWriter &u8(uint32_t v) { return bytes.push_back(uint8_t(v)), *this; }
    ByteWriter &u16(uint32_t v) { return big ? u8(v >> 8).u8(v) : u8(v).u8(v >> 8); }
    ByteWriter &u32(uint32_t v) { return big ? u16(v >> 16).u16(v) : u16(v).u16(v >> 16); }
    ByteWriter &fill(size_t count, uint8_t v) { return bytes.insert(bytes.end(), count, v), *this; }
    ByteWriter &append(const Bytes &more) { return bytes.insert(bytes.end(), more.begin(), more.end()), *this; }
};

// A copy with a little-endian field of size bytes at offset set to value.
inline Bytes withField(Bytes bytes, size_t offset, uint32_t value, size_t size = 4) {
    for (size_t i = 0; i < size; ++i) bytes.at(offset + i) = uint8_t(value >> (8 * i));
    return bytes;
}
// A copy with the byte at offset (counted from the end when negative) xored with bits.
inline Bytes flipped(Bytes bytes, ptrdiff_t at, uint8_t bits) {
    bytes.at(size_t(at < 0 ? ptrdiff_t(bytes.size()) + at : at)) ^= bits;
    return bytes;
}

// zlib's compression; bare: deflate data without the zlib wrapping.
inline Bytes deflateBytes(const Bytes &data, int level = 6, bool bare = false, int strategy = Z_DEFAULT_STRATEGY) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, bare ? -15 : 15, 8, strategy);
    Bytes out(deflateBound(&z, uLong(data.size())));
    z.next_in = const_cast<Bytef *>(data.data()), z.avail_in = uInt(data.size()), z.next_out = out.data(), z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out), deflateEnd(&z);
    return out;
}

// Noise; few-letter text; short periods (overlapping matches); steps of long runs
// (length 258); copies of an earlier random stretch up to the window's far end; rows
// of a smooth picture with noise (filtered-image-like).
inline Bytes sampleData(int kind, size_t size, uint64_t seed) {
    TestRandom random(seed);
    Bytes data(size);
    for (size_t i = 0; i < size; ++i)
        data[i] = kind == 0 ? uint8_t(random.next()) : kind == 1 ? uint8_t("ab cde\n"[random.range(0, 6)])
                  : kind == 2 ? (i < 9 ? uint8_t(random.next()) : data[i - 1 - (i / 997) % 9]) : kind == 3 ? uint8_t((i / 3000) * 7)
                  : kind == 4 ? (i < 32768 || random.range(0, 99) == 0 ? uint8_t(random.next()) : data[i - 32768 + i % 3])
                  : uint8_t(i % 1531 / 6 + random.range(-3, 3) * (i % 5 == 0));
    return data;
}

// A PNG file assembled chunk by chunk, every chunk with its correct CRC.
struct PngBuilder {
    ByteWriter out{{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, true};
    PngBuilder &chunk(const std::string &type, const Bytes &data) {
        Bytes typed(type.begin(), type.end());
        typed.insert(typed.end(), data.begin(), data.end());
        out.u32(uint32_t(data.size())).append(typed).u32(uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
        return *this;
    }
    PngBuilder &header(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType, uint8_t interlace = 0) {
        return chunk("IHDR", ByteWriter{{}, true}.u32(width).u32(height).u8(depth).u8(colourType).u16(0).u8(interlace).bytes);
    }
    // Filtered rows compressed into one IDAT.
    PngBuilder &idat(const Bytes &rows, bool bare = false) { return chunk("IDAT", deflateBytes(rows, 6, bare)); }
    Bytes end() { return chunk("IEND", {}).out.bytes; }
};

// Where tests write files: a folder of its own for a run with the kernels forced
// to one level (tests/common/level_main.cpp), so that such runs and the usual
// ones never write the same file at once.
std::string outputFolder();
inline std::string outputPath(const std::string &name) {
    std::filesystem::create_directories(outputFolder());
    return outputFolder() + "/" + name;
}
inline Bytes readFile(const std::string &path) { return Bytes(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}); }
inline void writeFile(const std::string &path, const Bytes &bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}
// Bytes of 3 (R, G, B) or 4 (R, G, B, A) a pixel as 0xAARRGGBB.
inline Pixels fromRgb(const Bytes &bytes, size_t channels) {
    Pixels pixels;
    for (size_t i = 0; i + channels <= bytes.size(); i += channels)
        pixels.push_back(uint32_t(channels == 4 ? bytes[i + 3] : 255) << 24 | bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]);
    return pixels;
}

// libpng's reading as 0xAARRGGBB (high bytes of 16-bit samples), empty if refused.
inline Pixels readWithLibpng(const Bytes &file) {
    FILE *in = fmemopen(const_cast<uint8_t *>(file.data()), file.size(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Bytes samples;
    if (!setjmp(png_jmpbuf(png))) {
        png_init_io(png, in);
        png_read_png(png, info, PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_GRAY_TO_RGB, nullptr);
        const size_t rowBytes = png_get_image_width(png, info) * png_get_channels(png, info);  // RGB or RGBA
        for (uint32_t y = 0; y < png_get_image_height(png, info); ++y)
            samples.insert(samples.end(), png_get_rows(png, info)[y], png_get_rows(png, info)[y] + rowBytes);
    }
    const Pixels pixels = samples.empty() ? Pixels{} : fromRgb(samples, png_get_channels(png, info));
    png_destroy_read_struct(&png, &info, nullptr), std::fclose(in);
    return pixels;
}

// SDL's reading of a bitmap, converted to 0xAARRGGBB.
inline Pixels sdlPixels(const Bytes &bytes) {
    SDL_Surface *loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    SDL_Surface *argb = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    Pixels pixels;
    for (int y = 0; argb && y < argb->h; ++y)
        for (int x = 0; x < argb->w; ++x) pixels.push_back(static_cast<const uint32_t *>(argb->pixels)[y * argb->pitch / 4 + x]);
    SDL_FreeSurface(loaded);
    SDL_FreeSurface(argb);
    return pixels;
}

// The sample pictures of a kind, where the machine has them.
inline std::vector<std::string> samplePictures(const std::string &extension) {
    std::error_code missing;
    std::vector<std::string> paths;
    for (const auto &item : std::filesystem::directory_iterator("/work/shared/bench/images", missing))
        if (item.path().extension() == extension) paths.push_back(item.path());
    return paths;
}

// The record handed to a reader that must fail: any change shows.
inline GFXimage sentinelImage() { return GFXimage{reinterpret_cast<uint32_t *>(uintptr_t(0x5A5A0)), 7, 9}; }
inline bool isSentinel(const GFXimage &i) { return i.data == sentinelImage().data && i.width == 7 && i.height == 9; }

struct Decoded { bool ok = false; uint32_t width = 0; Pixels pixels; };
// Decodes the first length bytes from a block of exactly that size, so the
// sanitizer build catches a read past the end; checks that the decoder left the
// bytes alone and, when it refused, the caller's record too.
inline Decoded decodeExact(MemoryDecoder decode, const Bytes &bytes, size_t length = SIZE_MAX) {
    length = std::min(length, bytes.size());
    const auto block = std::make_unique<uint8_t[]>(length);
    std::copy_n(bytes.begin(), length, block.get());
    GFXimage image = sentinelImage();
    Decoded result{decode(&image, block.get(), uint32_t(length)), image.width, {}};
    EXPECT_TRUE(std::equal(block.get(), block.get() + length, bytes.begin())) << "the decoder changed its input";
    EXPECT_TRUE(result.ok || isSentinel(image)) << "a refusal changed the record";
    EXPECT_TRUE(!result.ok || image.data) << "a success without pixels";
    if (result.ok && image.data) result.pixels.assign(image.data, image.data + size_t(image.width) * image.height), FreeImage(&image);
    return result;
}

// A file and the pixels it decodes to; none: refused, and when a reason is
// given, for that reason.
struct Case { const char *what; Bytes file; Pixels expected{}; std::string reason{}; };
inline void expectCases(MemoryDecoder decode, const std::vector<Case> &cases) {
    for (const Case &c : cases) {
        const Decoded result = decodeExact(decode, c.file);
        EXPECT_EQ(result.ok, !c.expected.empty()) << c.what;
        EXPECT_EQ(result.pixels, c.expected) << c.what;
        EXPECT_TRUE(c.reason.empty() || c.reason == LoadFailureReason()) << c.what << ": " << LoadFailureReason();
    }
}

// The whole file decodes; every prefix shorter than cutsUpTo is refused; any byte
// set to 0x00, 0xFF or its complement is refused or decoded, never a crash.
inline void expectRefusesCutsAndSurvivesDamage(MemoryDecoder decode, const Bytes &bytes, size_t cutsUpTo = SIZE_MAX) {
    ASSERT_TRUE(decodeExact(decode, bytes).ok);
    for (size_t length = 0; length < std::min(cutsUpTo, bytes.size()); ++length)
        ASSERT_FALSE(decodeExact(decode, bytes, length).ok) << "accepted " << length << " of " << bytes.size();
    for (size_t at = 0; at < bytes.size(); ++at)
        for (const uint8_t value : {uint8_t(0), uint8_t(0xFF), uint8_t(~bytes[at])}) {
            SCOPED_TRACE(at);
            Bytes damaged = bytes;
            damaged[at] = value;
            decodeExact(decode, damaged);
        }
}

}  // namespace zorblit::test
