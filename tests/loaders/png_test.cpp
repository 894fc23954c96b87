// The PNG reader against libpng on files libpng wrote, on real pictures, and on
// files built chunk by chunk for what libpng would not write.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "loaders/png.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

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
    const struct {
        const char *what;
        Bytes file;
        Pixels expected;
    } cases[] = {
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
        {"RGB at 4 bits", rgbAt(4, 2), {}},
        {"palette at 16 bits", rgbAt(16, 3), {}},
        {"colour type 1", rgbAt(8, 1), {}},
        {"palette image without PLTE", PngBuilder().header(1, 1, 8, 3).idat(grey).end(), {}},
        {"PLTE in a true-colour image", PngBuilder().header(1, 1, 8, 2).chunk("PLTE", {1, 2, 3}).idat(rgb).end(), {}},
        {"tRNS after IDAT", PngBuilder().header(1, 1, 8, 0).idat(grey).chunk("tRNS", {0, 0}).end(), {}},
        {"tRNS of the wrong size", PngBuilder().header(1, 1, 8, 0).chunk("tRNS", {0, 0, 0}).idat(grey).end(), {}},
        {"second IHDR", PngBuilder().header(1, 1, 8, 0).header(1, 1, 8, 0).idat(grey).end(), {}},
        {"no image data", PngBuilder().header(1, 1, 8, 0).end(), {}},
        {"rows exactly", greyRows(3), Pixels(3, 0xFF070707)},
        {"rows short", greyRows(2), {}},
        {"rows beyond the image", greyRows(4), {}},
        // A few bytes claiming 2^24 x 64 pixels fail on the missing data.
        {"huge claim", PngBuilder().header(1u << 24, 64, 1, 0).idat(grey).end(), {}},
        {"huge claim, one more row", PngBuilder().header(1u << 24, 65, 1, 0).idat(grey).end(), {}},
        {"bad Adler-32", PngBuilder().header(1, 2, 8, 2).chunk("IDAT", badAdler).end(), {}},
        {"bad CRC", badCrc, {}},
    };
    for (const auto &c : cases) EXPECT_EQ(decoded(c.file), c.expected) << c.what;
    // Image data split between two IDAT chunks at every place.
    for (size_t at = 0; at <= compressed.size(); ++at) {
        const Bytes first(compressed.begin(), compressed.begin() + ptrdiff_t(at)), rest(compressed.begin() + ptrdiff_t(at), compressed.end());
        EXPECT_EQ(decoded(PngBuilder().header(1, 2, 8, 2).chunk("IDAT", first).chunk("IDAT", rest).end()), Pixels(2, 0xFF090807)) << at;
    }
}

TEST(Png, CutOrDamagedFilesAreRefusedSafely) {
    expectRefusesCutsAndSurvivesDamage(pngDecode, writeWithLibpng(PNG_COLOR_TYPE_RGB_ALPHA, 8, 5, 4, true, false, 7));
    // Damage behind valid CRCs reaches inflate and the filters.
    const Bytes rows = plainRows(4, Bytes(20, 0x55));
    for (size_t offset = 0; offset < 30; ++offset)
        for (const uint8_t value : {uint8_t(0), uint8_t(0xFF), uint8_t(0x5A)}) {
            Bytes compressed = deflateBytes(rows, 9);
            compressed[offset % compressed.size()] = value;
            decodeExact(pngDecode, PngBuilder().header(5, 4, 8, 6, 1).chunk("IDAT", compressed).end());
        }
}

}  // namespace
}  // namespace zorblit::test
