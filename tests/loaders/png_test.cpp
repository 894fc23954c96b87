// Inflate and the checksums against zlib, and the refusals of bad streams; then the
// PNG reader against libpng on files libpng wrote, on real pictures, and on files
// built chunk by chunk for what libpng would not write.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "loaders/checksum.h"
#include "loaders/inflate.h"
#include "loaders/png.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

// Noise, text-like runs, short periods that make overlapping matches, long runs
// that make length 258.
Bytes sampleData(int kind, size_t size, uint64_t seed) {
    TestRandom random(seed);
    Bytes data(size);
    for (size_t i = 0; i < size; ++i)
        data[i] = kind == 0 ? uint8_t(random.next())
                  : kind == 1 ? uint8_t('a' + random.range(0, 5))
                  : kind == 2 ? (i < 9 ? uint8_t(random.next()) : data[i - 1 - (i / 997) % 9])
                              : uint8_t((i / 3000) * 7);
    return data;
}

bool inflateAll(const Bytes &in, DeflateFraming framing, Bytes &out, size_t limit = SIZE_MAX) {
    InflatedBytes result;
    if (!inflate(in.data(), in.size(), framing, limit, result)) return false;
    out.assign(result.data.get(), result.data.get() + result.size);
    return true;
}

TEST(Checksums, MatchZlibAtEveryAlignmentAndInPieces) {
    const Bytes data = sampleData(0, 70001, 3), ones(200000, 0xFF);  // all 0xFF: Adler's s2 largest before its modulo
    for (size_t size : {0, 1, 7, 8, 9, 63, 5552, 5553, 70000}) {
        EXPECT_EQ(updateCrc32(0, data.data() + 1, size), crc32(0, data.data() + 1, uInt(size))) << size;
        EXPECT_EQ(updateAdler32(1, data.data(), size), adler32(1, data.data(), uInt(size))) << size;
    }
    EXPECT_EQ(updateCrc32(updateCrc32(0, data.data(), 1000), data.data() + 1000, 69000), crc32(0, data.data(), 70000));
    EXPECT_EQ(updateAdler32(1, ones.data(), ones.size()), adler32(1, ones.data(), uInt(ones.size())));
}

TEST(Inflate, MatchesZlibForEveryLevelStrategyAndFraming) {
    for (int kind = 0; kind < 4; ++kind)
        for (size_t size : {0, 1, 300, 100000}) {
            const Bytes data = sampleData(kind, size, uint64_t(kind) * 31 + size);
            for (int level : {0, 1, 6, 9})
                for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE})
                    for (bool raw : {false, true}) {
                        Bytes out;
                        ASSERT_TRUE(inflateAll(deflateBytes(data, level, raw, strategy), raw ? DeflateFraming::raw : DeflateFraming::zlib, out) &&
                                    out == data) << kind << " " << size << " " << level << " " << strategy << " " << raw;
                    }
        }
}

// A zlib header with valid check bits, followed by the rest of stream.
Bytes withHeader(uint8_t cmf, uint8_t flags, const Bytes &stream) {
    Bytes out = stream;
    out.at(0) = cmf;
    out.at(1) = uint8_t(flags + (31 - (cmf * 256u + flags) % 31) % 31);
    return out;
}

TEST(Inflate, RefusesBadStreamsKeepsTheLimitAndSurvivesDamage) {
    const Bytes text = sampleData(1, 2000, 5), z = deflateBytes(text), periodic = sampleData(2, 50000, 9);
    Bytes out, badCheck = z, badAdler = z;
    badCheck[1] ^= 1;
    badAdler.back() ^= 1;
    EXPECT_TRUE(inflateAll(withHeader(0x78, 0x80, z), DeflateFraming::zlib, out) && out == text);
    EXPECT_TRUE(inflateAll(deflateBytes(periodic), DeflateFraming::zlib, out, periodic.size()) && out == periodic);
    EXPECT_FALSE(inflateAll(deflateBytes(periodic), DeflateFraming::zlib, out, periodic.size() - 1)) << "limit";
    EXPECT_TRUE(inflateAll({0x01, 0x00, 0x00, 0xFF, 0xFF}, DeflateFraming::raw, out) && out.empty()) << "empty stored block";
    constexpr DeflateFraming zlib = DeflateFraming::zlib, raw = DeflateFraming::raw;
    const std::tuple<const char *, DeflateFraming, Bytes> refused[] = {
        {"method 7", zlib, withHeader(0x77, 0x80, z)}, {"window 2^16", zlib, withHeader(0x88, 0x80, z)},
        {"preset dictionary", zlib, withHeader(0x78, 0xA0, z)}, {"check bits", zlib, badCheck}, {"Adler-32", zlib, badAdler},
        // Raw streams no encoder writes.
        {"block type 3", raw, {0x07}}, {"stored length check", raw, {0x01, 0x05, 0x00, 0x00, 0xFF, 'a', 'b', 'c', 'd', 'e'}},
        {"stored data cut short", raw, {0x01, 0x05, 0x00, 0xFA, 0xFF, 'a', 'b'}},
        // Fixed codes: length symbol 257 (0000001), distance code 0, with no output yet.
        {"distance beyond the output", raw, {0x03, 0x02, 0x00}},
        // Dynamic header with all 19 code-length codes one bit long.
        {"over-subscribed code", raw, {0x05, 0xE0, 0x93, 0x24, 0x49, 0x92, 0x24, 0x49, 0x92, 0x00}}};
    for (const auto &[what, framing, stream] : refused) EXPECT_FALSE(inflateAll(stream, framing, out)) << what;
    for (size_t length = 0; length < z.size(); ++length)
        ASSERT_FALSE(inflateAll(Bytes(z.begin(), z.begin() + ptrdiff_t(length)), DeflateFraming::zlib, out)) << length;
    // Random bit flips in a dynamic-code stream of back-references, held to its true size: refused or
    // decoded within the limit, never a crash.
    const Bytes data = sampleData(2, 4000, 11), stream = deflateBytes(data, 9);
    TestRandom random(17);
    for (int trial = 0; trial < 3000; ++trial) {
        Bytes bad = stream;
        bad[size_t(random.range(0, int64_t(bad.size()) - 1))] ^= uint8_t(1 << random.range(0, 7));
        ASSERT_TRUE(!inflateAll(bad, DeflateFraming::zlib, out, data.size()) || out.size() <= data.size()) << trial;
    }
}

// Through the public entry point, which must neither keep nor change the bytes.
Pixels decoded(const Bytes &file) { return decodeExact(pngLoadMem, file).pixels; }

TEST(Png, EveryLayoutMatchesLibpng) {
    const std::pair<int, int> layouts[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                                           {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    uint64_t seed = 1;
    for (const auto &[colourType, depth] : layouts)
        for (const bool interlaced : {false, true})
            for (const bool transparency : {false, true})
                for (const auto &[width, height] : {std::pair{1u, 1u}, {3u, 2u}, {7u, 9u}, {33u, 17u}}) {
                    const Bytes file = writeWithLibpng(colourType, depth, width, height, interlaced, transparency, ++seed);
                    const Pixels expected = readWithLibpng(file);
                    ASSERT_FALSE(expected.empty());
                    ASSERT_EQ(decoded(file), expected) << "type " << colourType << " depth " << depth << " interlaced "
                                                       << interlaced << " tRNS " << transparency << " " << width << "x" << height;
                }
    expectFileLoadsAsInMemory(pngLoad, pngDecode, writeWithLibpng(2, 8, 4, 4, false, false, 3), "four.png");
    expectRefusesCutsAndSurvivesDamage(pngDecode, writeWithLibpng(PNG_COLOR_TYPE_RGB_ALPHA, 8, 5, 4, true, false, 7));
}

TEST(Png, RealFilesMatchLibpng) {
    const std::filesystem::path folder = "/work/shared/bench/images";
    if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no sample pictures";
    for (const auto &item : std::filesystem::directory_iterator(folder)) {
        if (item.path().extension() != ".png") continue;
        std::ifstream in(item.path(), std::ios::binary);
        const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(decoded(file), readWithLibpng(file)) << item.path();
    }
}

// One filtered row per image row, filter type 0.
Bytes plainRows(uint32_t height, const Bytes &row) {
    Bytes rows;
    for (uint32_t y = 0; y < height; ++y) rows.push_back(0), std::copy(row.begin(), row.end(), std::back_inserter(rows));
    return rows;
}

// Files libpng would not write: our choices on odd files, and what is refused (no pixels).
TEST(Png, HandMadeFiles) {
    const Bytes grey = plainRows(1, {0}), rgb = plainRows(1, {1, 2, 3}), compressed = deflateBytes(plainRows(2, {9, 8, 7}));
    const auto greyKey = [](uint8_t depth, uint8_t key, const Bytes &row) {
        return PngBuilder().header(2, 1, depth, 0).chunk("tRNS", {key}).idat(plainRows(1, row)).end();
    };
    const auto rgbAt = [&](uint8_t depth, uint8_t type) { return PngBuilder().header(1, 1, depth, type).idat(rgb).end(); };
    const auto greyRows = [](uint32_t rows) { return PngBuilder().header(1, 3, 8, 0).idat(plainRows(rows, {7})).end(); };
    Bytes badAdler = compressed, badCrc = PngBuilder().header(1, 2, 8, 2).chunk("IDAT", compressed).end();
    badAdler.back() ^= 0x10;
    badCrc[33 + 9] ^= 1;  // inside the IDAT data
    expectCases(pngLoadMem, {
        {"ancillary chunks skipped, index beyond the palette transparent black",
         PngBuilder().header(3, 1, 8, 3).chunk("gAMA", {0, 0, 0xB1, 0x8F}).chunk("PLTE", {1, 2, 3, 4, 5, 6})
             .idat(plainRows(1, {1, 2, 255})).chunk("tEXt", {'a', 0, 'b'}).end(),
         {0xFF040506, 0, 0}},
        // After a palette tRNS, a further PLTE holds red, green, blue and alpha.
        {"PLTE after tRNS", PngBuilder().header(2, 1, 8, 3).chunk("PLTE", {1, 2, 3}).chunk("tRNS", {0x80})
                                .chunk("PLTE", {4, 5, 6, 7}).idat(plainRows(1, {0, 1})).end(), {0x80010203, 0x07040506}},
        // A one-byte tRNS holds the high byte of the expanded grey level; 4-bit grey has no such level for 16.
        {"one-byte key, 8 bits", greyKey(8, 128, {128, 127}), {0x00808080, 0xFF7F7F7F}},
        {"one-byte key, 4 bits", greyKey(4, 17, {0x12}), {0x00111111, 0xFF222222}},
        {"one-byte key, no 4-bit level", greyKey(4, 16, {0x11}), {0xFF111111, 0xFF111111}},
        // CgBI: blue, green, red, alpha, premultiplied, raw deflate; 200 above alpha 100 saturates.
        {"CgBI", PngBuilder().chunk("CgBI", {0x50, 0, 0x20, 2}).header(3, 1, 8, 6)
                     .idat(plainRows(1, {40, 20, 10, 128, 0, 0, 0, 0, 200, 100, 50, 100}), true).end(),
         {0x8013274F, 0, 0x647FFFFF}},
        {"CgBI opaque", PngBuilder().chunk("CgBI", {}).header(1, 1, 8, 2).idat(rgb, true).end(), {0xFF030201}},
        {"RGB at 8 bits", rgbAt(8, 2), {0xFF010203}},
        {"RGB at 4 bits", rgbAt(4, 2)}, {"palette at 16 bits", rgbAt(16, 3)}, {"colour type 1", rgbAt(8, 1)},
        {"palette image without PLTE", PngBuilder().header(1, 1, 8, 3).idat(grey).end()},
        {"PLTE in a true-colour image", PngBuilder().header(1, 1, 8, 2).chunk("PLTE", {1, 2, 3}).idat(rgb).end()},
        {"tRNS after IDAT", PngBuilder().header(1, 1, 8, 0).idat(grey).chunk("tRNS", {0, 0}).end()},
        {"tRNS of the wrong size", PngBuilder().header(1, 1, 8, 0).chunk("tRNS", {0, 0, 0}).idat(grey).end()},
        {"second IHDR", PngBuilder().header(1, 1, 8, 0).header(1, 1, 8, 0).idat(grey).end()},
        {"no image data", PngBuilder().header(1, 1, 8, 0).end()},
        {"rows exactly", greyRows(3), Pixels(3, 0xFF070707)},
        {"rows short", greyRows(2)}, {"rows beyond the image", greyRows(4)},
        // A few bytes claiming 2^24 x 64 pixels fail on the missing data.
        {"huge claim", PngBuilder().header(1u << 24, 64, 1, 0).idat(grey).end()},
        {"huge claim, one more row", PngBuilder().header(1u << 24, 65, 1, 0).idat(grey).end()},
        {"bad Adler-32", PngBuilder().header(1, 2, 8, 2).chunk("IDAT", badAdler).end()},
        {"bad CRC", badCrc}});
    // Image data split between two IDAT chunks at every place.
    for (size_t at = 0; at <= compressed.size(); ++at) {
        const Bytes first(compressed.begin(), compressed.begin() + ptrdiff_t(at)), rest(compressed.begin() + ptrdiff_t(at), compressed.end());
        EXPECT_EQ(decoded(PngBuilder().header(1, 2, 8, 2).chunk("IDAT", first).chunk("IDAT", rest).end()), Pixels(2, 0xFF090807)) << at;
    }
}

}  // namespace
}  // namespace zorblit::test
