// Helpers for reader tests: files built field by field, the untouched-record
// check, and sweeps that truncate or corrupt a valid file.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
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

}  // namespace zorblit::test
