// Shared by the reader tests: files built byte by byte, the reference codecs that
// write and read test files, and the sweeps that cut or damage a valid file.
#pragma once
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdint>
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

// The record handed to a reader that must fail: any change shows.
inline GFXimage sentinelImage() { return GFXimage{reinterpret_cast<uint32_t *>(uintptr_t(0x5A5A0)), 7, 9}; }
inline bool isSentinel(const GFXimage &i) { return i.data == sentinelImage().data && i.width == 7 && i.height == 9; }

struct Decoded { bool ok = false; uint32_t width = 0, height = 0; Pixels pixels; };
// Decodes the first length bytes from a block of exactly that size, so the
// sanitizer build catches a read past the end; checks that the decoder left the
// bytes alone and, when it refused, the caller's record too.
Decoded decodeExact(MemoryDecoder decode, const Bytes &bytes, size_t length = SIZE_MAX);

// A file and the pixels it decodes to; none: refused.
struct Case { const char *what; Bytes file; Pixels expected{}; };
void expectCases(MemoryDecoder decode, const std::vector<Case> &cases);

// The whole file decodes; every prefix shorter than cutsUpTo is refused; any byte
// set to 0x00, 0xFF or its complement is refused or decoded, never a crash.
void expectRefusesCutsAndSurvivesDamage(MemoryDecoder decode, const Bytes &bytes, size_t cutsUpTo = SIZE_MAX);

// The file reader gives what decode gives, and refuses a missing file.
void expectFileLoadsAsInMemory(bool (*load)(GFXimage *, const char *), MemoryDecoder decode, const Bytes &bytes,
                               const std::string &name);

// ImageMagick's convert writes random pixels from colourCount colours as format
// with options; gives the file and convert's own reading of it, as its palette
// writers may quantise. Empty on failure.
std::pair<Bytes, Pixels> convertWithImageMagick(TestRandom &random, uint32_t width, uint32_t height,
                                                uint32_t colourCount, const std::string &options, const std::string &format);

// zlib compression; raw gives bare deflate data.
Bytes deflateBytes(const Bytes &data, int level = 6, bool raw = false, int strategy = Z_DEFAULT_STRATEGY);

// A PNG file assembled chunk by chunk, every chunk with its correct CRC.
struct PngBuilder {
    ByteWriter out{{}, true};
    PngBuilder() { out.u32(0x89504E47).u32(0x0D0A1A0A); }  // the signature
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
    PngBuilder &idat(const Bytes &rows, bool raw = false) { return chunk("IDAT", deflateBytes(rows, 6, raw)); }
    Bytes end() { return chunk("IEND", {}).out.bytes; }
};

// libpng's writing of random samples (palette indices within a palette of random
// size), about one pixel in five the tRNS colour when transparency is asked for;
// and its reading as 0xAARRGGBB (high bytes of 16-bit samples), empty if refused.
Bytes writeWithLibpng(int colourType, int depth, uint32_t width, uint32_t height, bool interlaced, bool transparency,
                      uint64_t seed);
Pixels readWithLibpng(const Bytes &file);

// Chroma is always sampled 1 x 1; restarts every that many MCUs, 0: none; a comment
// and an APP1 segment before the frame when asked.
struct JpegOptions {
    int lumaSamplingX = 1, lumaSamplingY = 1;
    bool grey = false, cmyk = false;
    unsigned restartInterval = 0;
    int quality = 90;
    bool progressive = false, arithmetic = false, commentAndApp1 = false;
};
// Gradients, hard edges and noise (seed 0: flat mid grey) encoded by libjpeg-turbo;
// and its decoding with the integer IDCT and chroma replicated, as ours does.
Bytes encodeJpeg(uint32_t width, uint32_t height, const JpegOptions &options, uint64_t seed = 1);
Pixels referenceDecodeJpeg(const Bytes &file);

}  // namespace zorblit::test
