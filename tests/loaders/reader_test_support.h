// Helpers for reader tests: files built field by field, the untouched-record
// check, and sweeps that truncate or corrupt a valid file.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "loaders/reader.h"
#include "test_images.h"

namespace zorblit::test {

// Little-endian file contents, appended field by field.
class ByteWriter {
public:
    ByteWriter &u8(uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    ByteWriter &u16(uint16_t value) { return u8(uint8_t(value)).u8(uint8_t(value >> 8)); }
    ByteWriter &u32(uint32_t value) { return u16(uint16_t(value)).u16(uint16_t(value >> 16)); }
    ByteWriter &i32(int32_t value) { return u32(uint32_t(value)); }
    ByteWriter &fill(size_t count, uint8_t value) {
        bytes_.insert(bytes_.end(), count, value);
        return *this;
    }
    ByteWriter &append(const std::vector<uint8_t> &more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    size_t size() const { return bytes_.size(); }
    const std::vector<uint8_t> &bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// Writes bytes to a file in the test output folder and returns its path.
inline std::string writeTestFile(const std::string &name, const std::vector<uint8_t> &bytes) {
    const std::filesystem::path dir = ZORBLIT_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

// The record handed to readers that must fail: any change shows.
inline GFXimage sentinelImage() { return GFXimage{reinterpret_cast<uint32_t *>(uintptr_t(0x5A5A0)), 7, 9}; }
inline bool isSentinel(const GFXimage &image) {
    const GFXimage sentinel = sentinelImage();
    return image.data == sentinel.data && image.width == sentinel.width && image.height == sentinel.height;
}

// The pixels a file reader produces, or none when it refuses the file or the
// image is not width × height.
inline std::vector<uint32_t> loadPixels(bool (*load)(GFXimage *, const char *), const std::string &path,
                                        uint32_t width, uint32_t height) {
    GFXimage image{};
    if (!load(&image, path.c_str())) return {};
    std::vector<uint32_t> pixels;
    if (image.width == width && image.height == height) pixels.assign(image.data, image.data + size_t(width) * height);
    FreeImage(&image);
    return pixels;
}

// Decodes the first length bytes from a block of exactly that size, so the
// sanitizer build catches a read past the end.
inline bool decodeExact(MemoryDecoder decode, GFXimage *image, const std::vector<uint8_t> &bytes, size_t length) {
    const auto block = std::make_unique<uint8_t[]>(length);
    std::copy_n(bytes.begin(), length, block.get());
    return decode(image, block.get(), uint32_t(length));
}

// The whole file decodes, and every strict prefix is refused and leaves the
// record alone.
inline void expectEveryTruncationRefused(MemoryDecoder decode, const std::vector<uint8_t> &bytes) {
    GFXimage whole{};
    ASSERT_TRUE(decodeExact(decode, &whole, bytes, bytes.size()));
    FreeImage(&whole);
    for (size_t length = 0; length < bytes.size(); ++length) {
        GFXimage image = sentinelImage();
        ASSERT_FALSE(decodeExact(decode, &image, bytes, length)) << "accepted " << length << " of " << bytes.size();
        ASSERT_TRUE(isSentinel(image)) << length;
    }
}

// Any single byte replaced by 0x00, 0xFF or its complement: the decoder either
// refuses with the record untouched or returns an image of its own.
inline void expectSurvivesByteCorruption(MemoryDecoder decode, const std::vector<uint8_t> &bytes) {
    for (size_t offset = 0; offset < bytes.size(); ++offset)
        for (const uint8_t value : {uint8_t(0), uint8_t(0xFF), uint8_t(~bytes[offset])}) {
            std::vector<uint8_t> damaged = bytes;
            damaged[offset] = value;
            GFXimage image = sentinelImage();
            if (decodeExact(decode, &image, damaged, damaged.size())) {
                ASSERT_NE(image.data, nullptr);
                FreeImage(&image);
            } else {
                ASSERT_TRUE(isSentinel(image)) << offset;
            }
        }
}

// A picture of 0xRRGGBB values, top row first.
struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> rgb;

    std::vector<uint32_t> opaque() const {
        std::vector<uint32_t> pixels;
        for (uint32_t value : rgb) pixels.push_back(0xFF000000 | value);
        return pixels;
    }
};

// Random pixels drawn from a set of colourCount colours.
inline Picture randomPicture(TestRandom &random, uint32_t width, uint32_t height, uint32_t colourCount) {
    std::vector<uint32_t> colours;
    for (uint32_t i = 0; i < colourCount; ++i) colours.push_back(uint32_t(random.next()) & 0xFFFFFF);
    Picture picture{width, height, {}};
    for (uint32_t i = 0; i < width * height; ++i) picture.rgb.push_back(colours[random.next() % colourCount]);
    return picture;
}

inline bool imageMagickAvailable() { return std::system("command -v convert >/dev/null 2>&1") == 0; }

// Writes the picture as a PPM file and has ImageMagick's convert turn it into
// outputName with the given options and format (such as "BMP3", or "" for the
// name's own); returns the output path, "" on failure.
inline std::string convertPicture(const Picture &picture, const std::string &options, const std::string &format,
                                  const std::string &outputName) {
    ByteWriter ppm;
    const std::string header = "P6 " + std::to_string(picture.width) + " " + std::to_string(picture.height) + " 255\n";
    ppm.append(std::vector<uint8_t>(header.begin(), header.end()));
    for (uint32_t value : picture.rgb) ppm.u8(uint8_t(value >> 16)).u8(uint8_t(value >> 8)).u8(uint8_t(value));
    const std::string source = writeTestFile(outputName + ".ppm", ppm.bytes());
    const std::string target = (std::filesystem::path(ZORBLIT_TEST_OUTPUT_DIR) / outputName).string();
    const std::string command =
        "convert '" + source + "' " + options + " '" + (format.empty() ? "" : format + ":") + target + "'";
    return std::system(command.c_str()) == 0 ? target : std::string();
}

// ImageMagick's own reading of a file, as the oracle for files it wrote (its
// palette writers may quantise); an empty picture on failure.
inline Picture readWithImageMagick(const std::string &path) {
    const std::string ppmPath = path + ".back.ppm";
    if (std::system(("convert '" + path + "' -depth 8 'ppm:" + ppmPath + "'").c_str()) != 0) return {};
    std::ifstream in(ppmPath, std::ios::binary);
    std::string magic;
    uint32_t maximum = 0;
    Picture picture;
    in >> magic >> picture.width >> picture.height >> maximum;
    in.get();
    if (magic != "P6" || maximum != 255) return {};
    for (uint32_t i = 0; i < picture.width * picture.height; ++i) {
        uint8_t rgb[3];
        if (!in.read(reinterpret_cast<char *>(rgb), 3)) return {};
        picture.rgb.push_back(uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2]);
    }
    return picture;
}

}  // namespace zorblit::test
