// Windows bitmaps written here field by field, checked against the pixels they
// were made from and against SDL's own reader.
#include <SDL.h>

#include <array>
#include <bit>
#include <tuple>

#include "loaders/bmp.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

// A bitmap file to write: its header fields and its pixels, top row first, each
// a palette index (up to 8 bits) or 0xRRGGBB.
struct BmpFile {
    int32_t width = 4;
    int32_t height = 2;  // negative: rows stored top down
    uint16_t bits = 24;
    uint32_t infoSize = 40;
    uint32_t compression = kRgb;
    std::vector<uint32_t> palette;  // 0xRRGGBB; its size goes into colours used
    bool declarePaletteSize = true;  // false: colours used 0
    std::array<uint32_t, 3> masks{0x00FF0000, 0x0000FF00, 0x000000FF};
    uint32_t gap = 0;  // bytes between palette and pixels
    std::vector<uint32_t> values;

    uint32_t rows() const { return uint32_t(height < 0 ? -height : height); }

    // The 32-bit word of a pixel under the masks (8-bit masks only).
    uint32_t word(uint32_t rgb, uint32_t junk) const {
        uint32_t result = junk & ~(masks[0] | masks[1] | masks[2]);
        for (int c = 0; c < 3; ++c)
            result |= ((rgb >> (16 - 8 * c)) & 0xFF) << std::countr_zero(masks[c]);
        return result;
    }

    std::vector<uint8_t> encode() const {
        const bool masksAfterHeader = compression == kBitfields && infoSize == 40;
        const uint32_t pixelOffset = 14 + infoSize + (masksAfterHeader ? 12 : 0) + uint32_t(palette.size()) * 4 + gap;
        ByteWriter out;
        out.u8('B').u8('M').u32(0).u32(0).u32(pixelOffset);
        out.u32(infoSize).i32(width).i32(height).u16(1).u16(bits).u32(compression).u32(0).u32(2835).u32(2835);
        out.u32(declarePaletteSize ? uint32_t(palette.size()) : 0).u32(0);
        if (compression == kBitfields) out.u32(masks[0]).u32(masks[1]).u32(masks[2]);
        if (infoSize > 40) out.fill(infoSize - (compression == kBitfields ? 52 : 40), 0);
        for (uint32_t colour : palette) out.u8(uint8_t(colour)).u8(uint8_t(colour >> 8)).u8(uint8_t(colour >> 16)).u8(0);
        out.fill(gap, 0xEE);
        const uint32_t stride = (uint32_t(width) * bits + 31) / 32 * 4;
        for (uint32_t fileRow = 0; fileRow < rows(); ++fileRow) {
            const uint32_t y = height < 0 ? fileRow : rows() - 1 - fileRow;
            std::vector<uint8_t> row(stride, 0);
            for (uint32_t x = 0; x < uint32_t(width); ++x) {
                const uint32_t value = values[size_t(y) * uint32_t(width) + x];
                if (bits <= 8) {
                    row[x * bits / 8] |= uint8_t(value << (8 - bits - x * bits % 8));
                } else {
                    const uint32_t bytes = bits == 24 ? value : word(value, 0x5A000000u * (x + 1));
                    for (unsigned i = 0; i < bits / 8u; ++i) row[x * bits / 8 + i] = uint8_t(bytes >> (8 * i));
                }
            }
            out.append(row);
        }
        return out.bytes();
    }

    std::vector<uint32_t> expected() const {
        std::vector<uint32_t> pixels;
        for (uint32_t value : values) pixels.push_back(0xFF000000 | (bits <= 8 ? palette[value] : value));
        return pixels;
    }
};

BmpFile randomFile(TestRandom &random, int32_t width, int32_t height, uint16_t bits, uint32_t paletteSize) {
    BmpFile file;
    file.width = width;
    file.height = height;
    file.bits = bits;
    for (uint32_t i = 0; i < paletteSize; ++i) file.palette.push_back(uint32_t(random.next()) & 0xFFFFFF);
    for (uint32_t i = 0; i < uint32_t(width) * file.rows(); ++i)
        file.values.push_back(bits <= 8 ? uint32_t(random.next() % paletteSize) : uint32_t(random.next()) & 0xFFFFFF);
    return file;
}

// SDL's reading of the same file, alpha set to 255.
std::vector<uint32_t> sdlPixels(const std::string &path) {
    SDL_Surface *loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) return {};
    SDL_Surface *argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < argb->h; ++y) {
        const auto *row = reinterpret_cast<const uint32_t *>(static_cast<const uint8_t *>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x) pixels.push_back(row[x] | 0xFF000000);
    }
    SDL_FreeSurface(argb);
    return pixels;
}

void expectLoadsLikeSdl(const BmpFile &file, const std::string &name) {
    const std::string path = writeTestFile(name + ".bmp", file.encode());
    EXPECT_EQ(loadPixels(bmpLoad, path, uint32_t(file.width), file.rows()), file.expected()) << name;
    EXPECT_EQ(sdlPixels(path), file.expected()) << name << " (SDL)";
}

TEST(BmpLoad, EveryDepthHeaderAndRowOrderMatchesSdl) {
    TestRandom random(6);
    for (const uint16_t bits : {1, 4, 8, 24, 32})
        for (const uint32_t infoSize : {40u, 108u, 124u})
            for (const int32_t width : {1, 2, 3, 5, 7, 9, 17, 33})
                for (const int32_t direction : {1, -1}) {
                    // Odd widths get a short palette and a gap before the pixels.
                    const bool odd = width % 2 == 1;
                    const uint32_t fullPalette = bits <= 8 ? 1u << bits : 0;
                    BmpFile file = randomFile(random, width, direction * (1 + width % 4), bits,
                                              odd && bits > 1 ? fullPalette / 2 + 1 : fullPalette);
                    file.infoSize = infoSize;
                    file.declarePaletteSize = odd;
                    file.gap = odd ? uint32_t(width) : 0;
                    expectLoadsLikeSdl(file, "bmp_" + std::to_string(bits) + "_" + std::to_string(infoSize) + "_" +
                                                 std::to_string(width) + (direction < 0 ? "_topdown" : ""));
                }
}

// Offsets of header fields in the file.
constexpr size_t kWidthAt = 18, kHeightAt = 22, kBitsAt = 28, kCompressionAt = 30, kInfoSizeAt = 14;

std::vector<uint8_t> withField(std::vector<uint8_t> bytes, size_t offset, uint32_t value, size_t size = 4) {
    for (size_t i = 0; i < size; ++i) bytes.at(offset + i) = uint8_t(value >> (8 * i));
    return bytes;
}

TEST(BmpLoad, ChannelMasksOfThirtyTwoBitFiles) {
    TestRandom random(32);
    for (const uint32_t infoSize : {40u, 124u}) {
        BmpFile file = randomFile(random, 5, 3, 32, 0);
        file.infoSize = infoSize;
        file.compression = kBitfields;
        file.masks = {0xFF000000, 0x00FF0000, 0x0000FF00};
        expectLoadsLikeSdl(file, "bmp_masks_" + std::to_string(infoSize));
    }

    // Narrow and wide channels scale to 8 bits: 4-bit red, 10-bit green, no blue.
    BmpFile narrow = randomFile(random, 2, 1, 32, 0);
    narrow.compression = kBitfields;
    std::vector<uint8_t> bytes = narrow.encode();
    const size_t masksAt = 54, pixelsAt = 66;
    bytes = withField(withField(withField(bytes, masksAt, 0xF), masksAt + 4, 0x3FF0), masksAt + 8, 0);
    bytes = withField(withField(bytes, pixelsAt, 0xF | 0x3FF0), pixelsAt + 4, 0x8 | 0x2000);
    GFXimage image{};
    ASSERT_TRUE(bmpDecode(&image, bytes.data(), uint32_t(bytes.size())));
    EXPECT_EQ(image.data[0], 0xFFFFFF00u);
    EXPECT_EQ(image.data[1], 0xFF888000u);
    FreeImage(&image);
}

TEST(BmpLoad, IndicesBeyondTheStoredPaletteAreBlack) {
    BmpFile file;
    file.width = 4;
    file.height = 1;
    file.bits = 8;
    file.palette = {0x102030, 0x405060};
    file.values = {0, 1, 2, 255};
    const std::vector<uint8_t> bytes = file.encode();
    GFXimage image{};
    ASSERT_TRUE(bmpDecode(&image, bytes.data(), uint32_t(bytes.size())));
    EXPECT_EQ(std::vector<uint32_t>(image.data, image.data + 4),
              (std::vector<uint32_t>{0xFF102030, 0xFF405060, 0xFF000000, 0xFF000000}));
    FreeImage(&image);
}

TEST(BmpLoad, RefusesWhatItDoesNotDecodeAndLeavesTheRecord) {
    TestRandom random(8);
    const std::vector<uint8_t> indexed = randomFile(random, 8, 2, 8, 256).encode();
    const std::vector<uint8_t> truecolour = randomFile(random, 4, 2, 24, 0).encode();
    BmpFile masked = randomFile(random, 2, 2, 32, 0);
    masked.compression = kBitfields;
    masked.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    const std::vector<std::pair<const char *, std::vector<uint8_t>>> refused = {
        {"signature", withField(indexed, 1, 'A', 1)},
        {"RLE8", withField(indexed, kCompressionAt, kRle8)},
        {"RLE4", withField(withField(indexed, kBitsAt, 4, 2), kCompressionAt, kRle4)},
        {"16 bits", withField(truecolour, kBitsAt, 16, 2)},
        {"2 bits", withField(indexed, kBitsAt, 2, 2)},
        {"0 bits", withField(indexed, kBitsAt, 0, 2)},
        {"masks on 24 bits", withField(truecolour, kCompressionAt, kBitfields)},
        {"scattered mask", withField(masked.encode(), 54, 0x00F0F000)},
        {"zero width", withField(truecolour, kWidthAt, 0)},
        {"negative width", withField(truecolour, kWidthAt, uint32_t(-4))},
        {"zero height", withField(truecolour, kHeightAt, 0)},
        {"most negative height", withField(truecolour, kHeightAt, 0x80000000u)},
        {"core header", withField(truecolour, kInfoSizeAt, 12)},
        {"palette past the end", withField(indexed, kInfoSizeAt, 0x7FFFFFF0u)},
        {"pixels past the end", withField(truecolour, 10, 0xFFFFFFF0u)},
        // A few bytes claiming a picture of 2^62 pixels fail before any allocation.
        {"huge claim", withField(withField(truecolour, kWidthAt, 0x7FFFFFFF), kHeightAt, 0x7FFFFFFF)},
    };
    for (const auto &[what, bytes] : refused) {
        GFXimage image = sentinelImage();
        EXPECT_FALSE(bmpLoad(&image, writeTestFile("bmp_refused.bmp", bytes).c_str())) << what;
        EXPECT_TRUE(isSentinel(image)) << what;
    }
    GFXimage image = sentinelImage();
    EXPECT_FALSE(bmpLoad(&image, (std::string(ZORBLIT_TEST_OUTPUT_DIR) + "/no such file.bmp").c_str()));
    EXPECT_TRUE(isSentinel(image));
}

TEST(BmpLoad, TruncatedOrCorruptFilesNeverMisbehave) {
    TestRandom random(9);
    for (const uint16_t bits : {1, 4, 8, 24, 32}) {
        std::vector<uint8_t> bytes = randomFile(random, 3, 3, bits, bits <= 8 ? 2 : 0).encode();
        // The last row's padding may be missing; anything shorter is refused.
        const uint32_t rowBytes = (3 * bits + 7) / 8;
        bytes.erase(bytes.end() - (4 - rowBytes % 4) % 4, bytes.end());
        expectEveryTruncationRefused(bmpDecode, bytes);
        expectSurvivesByteCorruption(bmpDecode, bytes);
    }
}

TEST(BmpLoad, FilesWrittenByImageMagick) {
    if (!imageMagickAvailable()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    TestRandom random(13);
    const Picture few = randomPicture(random, 13, 7, 12), many = randomPicture(random, 13, 7, 200);
    // 24 bits with 40- and 124-byte headers, 32 bits with masks, 4 and 8 bits with palettes.
    const std::tuple<const Picture &, const char *, const char *> writers[] = {
        {many, "", "BMP3"}, {many, "", "BMP"}, {many, "-type TrueColorAlpha", "BMP"},
        {few, "-type Palette", "BMP"}, {many, "-type Palette -compress None", "BMP3"}};
    for (const auto &[picture, options, format] : writers) {
        const std::string path = convertPicture(picture, options, format, "magick.bmp");
        ASSERT_FALSE(path.empty()) << options << " " << format;
        EXPECT_EQ(loadPixels(bmpLoad, path, picture.width, picture.height), readWithImageMagick(path).opaque())
            << options << " " << format;
    }
    // Its 8-bit palette files are run-length encoded unless told otherwise.
    const std::string compressed = convertPicture(many, "-type Palette", "BMP3", "magick_rle.bmp");
    GFXimage image = sentinelImage();
    EXPECT_FALSE(bmpLoad(&image, compressed.c_str()));
    EXPECT_TRUE(isSentinel(image));
}

}  // namespace
}  // namespace zorblit::test
