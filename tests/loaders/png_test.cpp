// The PNG reader against libpng, on written and real files, and its refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "loaders/png.h"
#include "png_test_support.h"
#include "reader_test_support.h"

namespace zorblit {
namespace {

using test::Bytes;
using test::PngBuilder;
using test::PngPicture;

// Our decoding as pixels; empty when refused (the record must then be untouched).
std::vector<uint32_t> decode(const Bytes &file) {
    GFXimage image = test::sentinelImage();
    if (!test::decodeExact(pngDecode, &image, file, file.size())) {
        EXPECT_TRUE(test::isSentinel(image));
        return {};
    }
    std::vector<uint32_t> pixels(image.data, image.data + size_t(image.width) * image.height);
    FreeImage(&image);
    return pixels;
}

// Random samples; about one pixel in five takes the tRNS colour.
PngPicture randomPicture(int colourType, int depth, uint32_t width, uint32_t height, bool transparency,
                         uint64_t seed) {
    test::TestRandom random(seed);
    PngPicture p;
    p.width = width;
    p.height = height;
    p.colourType = colourType;
    p.depth = depth;
    const int maxSample = (1 << depth) - 1;
    const int colours = colourType == PNG_COLOR_TYPE_PALETTE ? 1 + int(random.range(0, maxSample)) : 0;
    for (int i = 0; i < colours; ++i)
        p.palette.push_back({uint8_t(random.next()), uint8_t(random.next()), uint8_t(random.next())});
    if (transparency && colours) {
        for (int i = 0; i < (colours + 1) / 2; ++i) p.paletteAlpha.push_back(uint8_t(random.next()));
    } else if (transparency && (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_RGB)) {
        p.keyed = true;
        p.key.gray = p.key.red = uint16_t(random.range(0, maxSample));
        p.key.green = uint16_t(random.range(0, maxSample));
        p.key.blue = uint16_t(random.range(0, maxSample));
    }
    const int channels = p.channels();
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        const bool useKey = p.keyed && random.range(0, 4) == 0;
        const uint16_t key[3] = {colourType == PNG_COLOR_TYPE_GRAY ? p.key.gray : p.key.red, p.key.green, p.key.blue};
        for (int c = 0; c < channels; ++c) {
            const int64_t top = colours ? colours - 1 : maxSample;
            p.samples.push_back(useKey ? key[c] : uint16_t(random.range(0, top)));
        }
    }
    return p;
}

struct Layout {
    int colourType, depth;
};
const Layout everyLayout[] = {{0, 1},  {0, 2}, {0, 4},  {0, 8}, {0, 16}, {2, 8},  {2, 16},
                              {3, 1},  {3, 2}, {3, 4},  {3, 8}, {4, 8},  {4, 16}, {6, 8}, {6, 16}};

TEST(Png, EveryLayoutMatchesLibpng) {
    uint64_t seed = 1;
    for (const Layout &layout : everyLayout)
        for (const bool interlaced : {false, true})
            for (const bool transparency : {false, true})
                for (const auto &[width, height] : {std::pair{1u, 1u}, {3u, 2u}, {7u, 9u}, {33u, 17u}}) {
                    PngPicture picture =
                        randomPicture(layout.colourType, layout.depth, width, height, transparency, ++seed);
                    picture.interlaced = interlaced;
                    picture.extraChunks = seed % 3 == 0;
                    const Bytes file = test::writeWithLibpng(picture);
                    const auto expected = test::readWithLibpng(file);
                    ASSERT_FALSE(expected.empty());
                    ASSERT_EQ(decode(file), expected) << "type " << layout.colourType << " depth " << layout.depth
                                                      << " interlaced " << interlaced << " tRNS " << transparency
                                                      << " " << width << "x" << height;
                }
}

TEST(Png, RealFilesMatchLibpng) {
    const std::filesystem::path folder = "/work/shared/bench/images";
    if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no sample pictures";
    for (const auto &item : std::filesystem::directory_iterator(folder)) {
        if (item.path().extension() != ".png") continue;
        std::ifstream in(item.path(), std::ios::binary);
        const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(decode(file), test::readWithLibpng(file)) << item.path();
    }
}

TEST(Png, DocumentedPixels) {
    PngPicture rgba = randomPicture(PNG_COLOR_TYPE_RGB_ALPHA, 8, 1, 1, false, 1);
    rgba.samples = {10, 20, 30, 40};
    EXPECT_EQ(decode(test::writeWithLibpng(rgba)), std::vector<uint32_t>{0x280A141E});

    PngPicture wide = randomPicture(PNG_COLOR_TYPE_RGB, 16, 1, 1, false, 1);
    wide.samples = {0x12FF, 0x3400, 0x56AA};
    EXPECT_EQ(decode(test::writeWithLibpng(wide)), std::vector<uint32_t>{0xFF123456});

    PngPicture keyed = randomPicture(PNG_COLOR_TYPE_RGB, 8, 2, 1, false, 1);
    keyed.keyed = true;
    keyed.key.red = 255;
    keyed.samples = {255, 255, 0, 255, 0, 0};
    EXPECT_EQ(decode(test::writeWithLibpng(keyed)), (std::vector<uint32_t>{0xFFFFFF00, 0x00FF0000}));
}

// One filtered row per image row, filter type 0.
Bytes plainRows(uint32_t height, const Bytes &row) {
    Bytes rows;
    for (uint32_t y = 0; y < height; ++y) {
        rows.push_back(0);
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

TEST(Png, PaletteIndexBeyondThePaletteIsTransparentBlack) {
    const Bytes file = PngBuilder()
                           .header(3, 1, 8, 3)
                           .chunk("PLTE", {1, 2, 3, 4, 5, 6})
                           .imageData(plainRows(1, {1, 2, 255}))
                           .end()
                           .bytes();
    EXPECT_EQ(decode(file), (std::vector<uint32_t>{0xFF040506, 0, 0}));
}

// A tRNS of one byte per channel holds the expanded value's high byte.
TEST(Png, OneByteTransparentColour) {
    const auto greyFile = [](uint8_t depth, uint8_t key, const Bytes &row) {
        return PngBuilder().header(2, 1, depth, 0).chunk("tRNS", Bytes(1, key)).imageData(plainRows(1, row)).end().bytes();
    };
    EXPECT_EQ(decode(greyFile(8, 128, {128, 127})), (std::vector<uint32_t>{0x00808080, 0xFF7F7F7F}));
    EXPECT_EQ(decode(greyFile(4, 17, {0x12})), (std::vector<uint32_t>{0x00111111, 0xFF222222}));
    EXPECT_EQ(decode(greyFile(4, 16, {0x11})), (std::vector<uint32_t>{0xFF111111, 0xFF111111})) << "no 4-bit grey";
}

TEST(Png, RefusesLayoutsAndChunkOrdersPngForbids) {
    const auto rgbFile = [](uint8_t depth, uint8_t type) {
        return PngBuilder().header(1, 1, depth, type).imageData(plainRows(1, Bytes(3, 0))).end().bytes();
    };
    EXPECT_FALSE(decode(rgbFile(8, 2)).empty());
    EXPECT_TRUE(decode(rgbFile(4, 2)).empty()) << "RGB at 4 bits";
    EXPECT_TRUE(decode(rgbFile(16, 3)).empty()) << "palette at 16 bits";
    EXPECT_TRUE(decode(rgbFile(8, 1)).empty()) << "colour type 1";

    const auto refused = [](const PngBuilder &file) { return decode(file.bytes()).empty(); };
    const Bytes grey = plainRows(1, {0}), rgb = plainRows(1, {1, 2, 3});
    EXPECT_TRUE(refused(PngBuilder().header(1, 1, 8, 3).imageData(grey).end())) << "palette image without PLTE";
    EXPECT_TRUE(refused(PngBuilder().header(1, 1, 8, 2).chunk("PLTE", {1, 2, 3}).imageData(rgb).end()))
        << "PLTE in a true-colour image";
    EXPECT_TRUE(refused(PngBuilder().header(1, 1, 8, 0).imageData(grey).chunk("tRNS", {0, 0}).end()))
        << "tRNS after IDAT";
    EXPECT_TRUE(refused(PngBuilder().header(1, 1, 8, 0).chunk("tRNS", {0, 0, 0}).imageData(grey).end()))
        << "tRNS of the wrong size";
    EXPECT_TRUE(refused(PngBuilder().header(1, 1, 8, 0).header(1, 1, 8, 0).imageData(grey).end())) << "second IHDR";
    EXPECT_TRUE(refused(PngBuilder().header(1, 1, 8, 0).end())) << "no image data";
}

TEST(Png, ImageDataMustFillTheImageExactly) {
    const auto file = [](uint32_t rows) {
        return PngBuilder().header(4, 3, 8, 0).imageData(plainRows(rows, {1, 2, 3, 4})).end().bytes();
    };
    EXPECT_FALSE(decode(file(3)).empty());
    EXPECT_TRUE(decode(file(2)).empty()) << "short";
    EXPECT_TRUE(decode(file(4)).empty()) << "longer than the image";
    // A few bytes claiming 2^24 x 64 pixels fail on the missing data.
    EXPECT_TRUE(decode(PngBuilder().header(1u << 24, 64, 1, 0).imageData(plainRows(1, {0})).end().bytes()).empty());
    EXPECT_TRUE(decode(PngBuilder().header(1u << 24, 65, 1, 0).imageData(plainRows(1, {0})).end().bytes()).empty());
}

TEST(Png, IdatMaySpanChunksAndDamageIsCaught) {
    const Bytes compressed = test::deflateBytes(plainRows(2, {9, 8, 7}));
    const auto split = [&](size_t at) {
        return PngBuilder()
            .header(1, 2, 8, 2)
            .chunk("IDAT", Bytes(compressed.begin(), compressed.begin() + ptrdiff_t(at)))
            .chunk("IDAT", Bytes(compressed.begin() + ptrdiff_t(at), compressed.end()))
            .end()
            .bytes();
    };
    for (size_t at = 0; at <= compressed.size(); ++at)
        EXPECT_EQ(decode(split(at)), (std::vector<uint32_t>{0xFF090807, 0xFF090807})) << at;

    Bytes badAdler = compressed;
    badAdler.at(badAdler.size() - 1) ^= 0x10;
    EXPECT_TRUE(decode(PngBuilder().header(1, 2, 8, 2).chunk("IDAT", badAdler).end().bytes()).empty());
    Bytes badCrc = split(3);
    badCrc[33 + 9] ^= 1;  // inside the first IDAT's data
    EXPECT_TRUE(decode(badCrc).empty());
}

TEST(Png, CgbiIsUnpremultipliedWithRedAndBlueExchanged) {
    // Stored as blue, green, red, alpha, colours premultiplied by alpha.
    const Bytes file = PngBuilder()
                           .chunk("CgBI", {0x50, 0x00, 0x20, 0x02})
                           .header(3, 1, 8, 6)
                           .imageData(plainRows(1, {40, 20, 10, 128, 0, 0, 0, 0, 200, 100, 50, 100}), true)
                           .end()
                           .bytes();
    // 200 above alpha 100 cannot be premultiplied: it saturates.
    EXPECT_EQ(decode(file), (std::vector<uint32_t>{0x8013274F, 0, 0x647FFFFF}));

    const Bytes opaque =
        PngBuilder().chunk("CgBI", {}).header(1, 1, 8, 2).imageData(plainRows(1, {1, 2, 3}), true).end().bytes();
    EXPECT_EQ(decode(opaque), std::vector<uint32_t>{0xFF030201});
}

TEST(Png, TruncatedOrDamagedFilesAreRefusedSafely) {
    PngPicture picture = randomPicture(PNG_COLOR_TYPE_RGB_ALPHA, 8, 5, 4, false, 7);
    picture.interlaced = true;
    const Bytes file = test::writeWithLibpng(picture);
    test::expectEveryTruncationRefused(pngDecode, file);
    test::expectSurvivesByteCorruption(pngDecode, file);
    // Damage behind valid CRCs reaches inflate and the filters.
    const Bytes rows = plainRows(4, Bytes(20, 0x55));
    for (size_t offset = 0; offset < 30; ++offset)
        for (const uint8_t value : {uint8_t(0), uint8_t(0xFF), uint8_t(0x5A)}) {
            Bytes compressed = test::deflateBytes(rows, 9);
            compressed[offset % compressed.size()] = value;
            decode(PngBuilder().header(5, 4, 8, 6, 1).chunk("IDAT", compressed).end().bytes());
        }
}

TEST(Png, LoadsFromFileAndLeavesTheCallersBuffer) {
    const Bytes file = test::writeWithLibpng(randomPicture(PNG_COLOR_TYPE_RGB, 8, 4, 4, false, 3));
    const std::string path = test::writeTestFile("png_load.png", file);
    GFXimage image{};
    ASSERT_TRUE(pngLoad(&image, path.c_str()));
    EXPECT_EQ(std::vector<uint32_t>(image.data, image.data + 16), test::readWithLibpng(file));
    FreeImage(&image);

    const Bytes copy = file;
    ASSERT_TRUE(pngLoadMem(&image, copy.data(), uint32_t(copy.size())));
    EXPECT_EQ(copy, file);
    FreeImage(&image);

    image = test::sentinelImage();
    EXPECT_FALSE(pngLoad(&image, (path + ".missing").c_str()));
    EXPECT_TRUE(test::isSentinel(image));
}

}  // namespace
}  // namespace zorblit
