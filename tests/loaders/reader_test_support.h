// Shared by the reader tests: files built byte by byte, and the checks every reader
// gets: decoding from a block of the file's exact size, cut and damaged files, and
// loading by file name.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

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

// Where tests write files: a folder of its own for a run with the kernels forced
// to one level (tests/common/level_main.cpp), so that such runs and the usual
// ones never write the same file at once.
std::string outputFolder();

inline std::string outputPath(const std::string &name) {
    const std::string folder = test::outputFolder();
    std::filesystem::create_directories(folder);
    return folder + "/" + name;
}
inline Bytes readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
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
    if (!result.ok) return result;
    EXPECT_NE(image.data, nullptr);
    if (image.data) result.pixels.assign(image.data, image.data + size_t(image.width) * image.height);
    FreeImage(&image);
    return result;
}

// A file and the pixels it decodes to; none: refused.
struct Case { const char *what; Bytes file; Pixels expected{}; };
inline void expectCases(MemoryDecoder decode, const std::vector<Case> &cases) {
    for (const Case &c : cases) {
        const Decoded result = decodeExact(decode, c.file);
        EXPECT_EQ(result.ok, !c.expected.empty()) << c.what;
        EXPECT_EQ(result.pixels, c.expected) << c.what;
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

// The file reader gives what decode gives, and refuses a missing file.
inline void expectFileLoadsAsInMemory(bool (*load)(GFXimage *, const char *), MemoryDecoder decode, const Bytes &bytes,
                                      const std::string &name) {
    const std::string path = outputPath(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    const Decoded expected = decodeExact(decode, bytes);
    GFXimage image{};
    ASSERT_TRUE(expected.ok && load(&image, path.c_str())) << name;
    EXPECT_EQ(image.width, expected.width);
    EXPECT_EQ(Pixels(image.data, image.data + size_t(image.width) * image.height), expected.pixels) << name;
    FreeImage(&image);
    image = sentinelImage();
    EXPECT_FALSE(load(&image, (path + ".missing").c_str()) || !isSentinel(image)) << "a missing file";
}

}  // namespace zorblit::test
