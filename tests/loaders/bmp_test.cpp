// Windows bitmaps written here field by field, checked against the values they
// were made from and against SDL's reader.
#include <SDL.h>

#include <array>
#include <bit>

#include "loaders/bmp.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

constexpr uint32_t kRle8 = 1, kRle4 = 2, kBitfields = 3;

// A bitmap to write: header fields and pixels, top row first, each a palette
// index or 0xRRGGBB.
struct BmpFile {
    int32_t width, height;  // negative height: rows stored top down
    uint16_t bits;
    Pixels palette{}, values{};                        // palette: 0xRRGGBB
    uint32_t infoSize = 40, compression = 0, gap = 0;  // gap: bytes between palette and pixels
    bool declarePaletteSize = true;                    // false: colours used 0
    std::array<uint32_t, 3> masks{0xFF0000, 0xFF00, 0xFF};

    Bytes encode() const {
        const uint32_t rows = uint32_t(std::abs(height)), masksAfterHeader = compression == kBitfields && infoSize == 40 ? 12 : 0;
        ByteWriter out;
        out.u8('B').u8('M').u32(0).u32(0).u32(14 + infoSize + masksAfterHeader + uint32_t(palette.size()) * 4 + gap);
        out.u32(infoSize).u32(uint32_t(width)).u32(uint32_t(height)).u16(1).u16(bits).u32(compression);
        out.u32(0).u32(2835).u32(2835).u32(declarePaletteSize ? uint32_t(palette.size()) : 0).u32(0);
        if (compression == kBitfields) out.u32(masks[0]).u32(masks[1]).u32(masks[2]);
        if (infoSize > 40) out.fill(infoSize - (compression == kBitfields ? 52 : 40), 0);
        for (uint32_t colour : palette) out.u32(colour);
        out.fill(gap, 0xEE);
        for (uint32_t fileRow = 0; fileRow < rows; ++fileRow) {
            Bytes row((uint32_t(width) * bits + 31) / 32 * 4, 0);
            for (uint32_t x = 0; x < uint32_t(width); ++x) {
                const uint32_t value = values[size_t(height < 0 ? fileRow : rows - 1 - fileRow) * uint32_t(width) + x];
                uint32_t v = bits == 32 ? 0x5A000000u * (x + 1) & ~(masks[0] | masks[1] | masks[2]) : value;
                for (int c = 0; bits == 32 && c < 3; ++c)  // under 8-bit masks, junk in the bits none covers
                    v |= (value >> (16 - 8 * c) & 0xFF) << std::countr_zero(masks[c]);
                if (bits <= 8) row[x * bits / 8] |= uint8_t(v << (8 - bits - x * bits % 8));
                for (unsigned i = 0; bits > 8 && i < bits / 8u; ++i) row[x * bits / 8 + i] = uint8_t(v >> (8 * i));
            }
            out.append(row);
        }
        return out.bytes;
    }
};

BmpFile randomFile(TestRandom &random, int32_t width, int32_t height, uint16_t bits, uint32_t paletteSize) {
    BmpFile file{width, height, bits};
    for (uint32_t i = 0; i < paletteSize; ++i) file.palette.push_back(uint32_t(random.next()) & 0xFFFFFF);
    for (uint32_t i = 0; i < uint32_t(width * std::abs(height)); ++i)
        file.values.push_back(bits <= 8 ? uint32_t(random.next() % paletteSize) : uint32_t(random.next()) & 0xFFFFFF);
    return file;
}

// SDL's reading of the same bytes, made opaque.
Pixels sdlPixels(const Bytes &bytes) {
    SDL_Surface *loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    SDL_Surface *argb = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    Pixels pixels;
    for (int y = 0; argb && y < argb->h; ++y)
        for (int x = 0; x < argb->w; ++x)
            pixels.push_back(static_cast<const uint32_t *>(argb->pixels)[y * argb->pitch / 4 + x] | 0xFF000000);
    SDL_FreeSurface(loaded);
    SDL_FreeSurface(argb);
    return pixels;
}

TEST(Bmp, EveryDepthHeaderAndRowOrderMatchesSdl) {
    TestRandom random(6);
    for (const uint16_t bits : {1, 4, 8, 24, 32})
        for (const uint32_t infoSize : {40u, 108u, 124u})
            for (const int32_t width : {1, 2, 3, 5, 7, 9, 17, 33})
                for (const int32_t direction : {1, -1}) {
                    // Odd widths: a short palette, a gap before the pixels, channel masks on 32 bits.
                    // Even widths: a full palette with colours used 0.
                    const bool odd = width % 2 == 1;
                    const uint32_t fullPalette = bits <= 8 ? 1u << bits : 0;
                    BmpFile file = randomFile(random, width, direction * (1 + width % 4), bits,
                                              odd && bits > 1 ? fullPalette / 2 + 1 : fullPalette);
                    file.infoSize = infoSize, file.declarePaletteSize = odd, file.gap = odd ? uint32_t(width) : 0;
                    if (bits == 32 && odd) file.compression = kBitfields, file.masks = {0xFF000000, 0xFF0000, 0xFF00};
                    Pixels expected;
                    for (uint32_t v : file.values) expected.push_back(0xFF000000 | (bits <= 8 ? file.palette[v] : v));
                    const Bytes bytes = file.encode();
                    SCOPED_TRACE(testing::Message() << bits << " bits, header " << infoSize << ", width " << width << ", " << direction);
                    EXPECT_EQ(decodeExact(bmpDecode, bytes).pixels, expected);
                    EXPECT_EQ(sdlPixels(bytes), expected) << "SDL";
                }
    expectFileLoadsAsInMemory(bmpLoad, bmpDecode, randomFile(random, 3, 2, 24, 0).encode(), "three.bmp");
}

Bytes withField(Bytes bytes, size_t offset, uint32_t value, size_t size = 4) {
    for (size_t i = 0; i < size; ++i) bytes.at(offset + i) = uint8_t(value >> (8 * i));
    return bytes;
}

TEST(Bmp, NarrowMasksAndShortPalettes) {
    // Narrow and wide channels scale to 8 bits: 4-bit red, 10-bit green, no blue.
    BmpFile masked{2, 1, 32, {}, {0, 0}, 40, kBitfields};
    Bytes bytes = withField(withField(withField(masked.encode(), 54, 0xF), 58, 0x3FF0), 62, 0);
    bytes = withField(withField(bytes, 66, 0xF | 0x3FF0), 70, 0x8 | 0x2000);
    EXPECT_EQ(decodeExact(bmpDecode, bytes).pixels, (Pixels{0xFFFFFF00, 0xFF888000}));
    // Indices beyond the stored palette are black.
    EXPECT_EQ(decodeExact(bmpDecode, BmpFile{4, 1, 8, {0x102030, 0x405060}, {0, 1, 2, 255}}.encode()).pixels,
              (Pixels{0xFF102030, 0xFF405060, 0xFF000000, 0xFF000000}));
}

TEST(Bmp, RefusesWhatItDoesNotDecode) {
    constexpr size_t kWidthAt = 18, kHeightAt = 22, kBitsAt = 28, kCompressionAt = 30, kInfoSizeAt = 14;
    TestRandom random(8);
    const Bytes indexed = randomFile(random, 8, 2, 8, 256).encode(), truecolour = randomFile(random, 4, 2, 24, 0).encode();
    const BmpFile masked{2, 2, 32, {}, {1, 2, 3, 4}, 40, kBitfields};
    const std::pair<const char *, Bytes> refused[] = {
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
        // A few bytes claiming 2^62 pixels fail before any allocation.
        {"huge claim", withField(withField(truecolour, kWidthAt, 0x7FFFFFFF), kHeightAt, 0x7FFFFFFF)},
    };
    for (const auto &[what, bytes] : refused) EXPECT_FALSE(decodeExact(bmpDecode, bytes).ok) << what;
}

TEST(Bmp, CutOrDamagedFilesNeverMisbehave) {
    TestRandom random(9);
    for (const uint16_t bits : {1, 4, 8, 24, 32}) {
        Bytes bytes = randomFile(random, 3, 3, bits, bits <= 8 ? 2 : 0).encode();
        // The last row's padding may be missing; anything shorter is refused.
        bytes.erase(bytes.end() - (4 - (3 * bits + 7) / 8 % 4) % 4, bytes.end());
        expectRefusesCutsAndSurvivesDamage(bmpDecode, bytes);
    }
}

}  // namespace
}  // namespace zorblit::test
