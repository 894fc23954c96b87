// The bounds-checked cursor every reader builds on (the reader sweeps cover the
// rest); the small formats IM and PCX; Windows bitmaps written field by field and
// checked against SDL's reader; QOI operations; TGA
// files that Pillow writes and the bitmaps and PCX files that ImageMagick writes,
// against their own reading; and imageLoad over a sample file of every format.
#include <array>
#include <bit>

#include "loaders/bmp.h"
#include "loaders/gif.h"
#include "loaders/im.h"
#include "loaders/pcx.h"
#include "loaders/png.h"
#include "loaders/qoi.h"
#include "loaders/tga.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

TEST(ByteCursor, FailedReadsMoveNothingAndSizesCannotOverflow) {
    const uint8_t bytes[7] = {};
    ByteCursor cursor(bytes, sizeof bytes);
    uint32_t word;
    ASSERT_TRUE(cursor.seek(4));
    EXPECT_FALSE(cursor.u32(word) || cursor.skip(SIZE_MAX) || cursor.seek(sizeof bytes + 1));
    EXPECT_EQ(cursor.position(), 4u);
    EXPECT_TRUE(hasItems(cursor, UINT64_MAX, 0) && hasItems(cursor, 1, 3));
    EXPECT_FALSE(hasItems(cursor, 2, 2) || hasItems(cursor, UINT64_MAX / 2 + 1, 2));  // 2^64 bytes: zero if multiplied out
}

// IM: palette entry count, width, height, the palette in 6-bit levels, then an
// index or an RGB triple per pixel, read with alpha 0x80.
Bytes imFile(uint16_t width, uint16_t height, const Bytes &palette, const Bytes &pixels) {
    return ByteWriter().u8(uint32_t(palette.size() / 3)).u16(width).u16(height).append(palette).append(pixels).bytes;
}

TEST(Im, PaletteAndTrueColourFormsAndRefusals) {
    const Bytes palette = imFile(3, 2, {63, 0, 1, 64, 100, 255}, {0, 1, 2, 3, 255, 1}),
                trueColour = imFile(1, 4, {}, {1, 2, 3, 250, 251, 252, 0, 0, 0, 9, 8, 7});
    expectCases(imDecode, {
        // Entries count from 1; slot 0 and slots past the stored ones are black; 64 * 4 and 255 * 4 wrap.
        {"palette", palette, {0x80000000, 0x80FC0004, 0x800090FC, 0x80000000, 0x80000000, 0x80FC0004}},
        {"true colour", trueColour, {0x80010203, 0x80FAFBFC, 0x80000000, 0x80090807}},
        {"zero width", imFile(0, 2, {}, {})}, {"zero height", imFile(2, 0, {1, 2, 3}, {})},
        {"65535 x 65535 claimed by a file that holds one", imFile(65535, 65535, {}, {1, 2, 3})}});
    for (const Bytes &file : {palette, trueColour}) expectRefusesCutsAndSurvivesDamage(imDecode, file);
}

// PCX: header (the picture from (3, 10) on), run-length rows, palette block at the
// end; palette entry i is (i, 255 - i, i * 7).
Bytes pcxFile(uint16_t width, uint16_t height, uint16_t bytesPerLine, const Bytes &encoded, uint8_t marker = 12) {
    ByteWriter out;  // manufacturer 10, version 5, run-length coded, 8 bits, xmin, ymin, xmax, ymax; then one plane
    out.u8(10).u8(5).u8(1).u8(8).u16(3).u16(10).u16(width + 2u).u16(height + 9u).fill(53, 0).u8(1).u16(bytesPerLine).fill(60, 0);
    out.append(encoded).u8(marker);
    for (unsigned i = 0; i < 256; ++i) out.u8(i).u8(255 - i).u8(i * 7);
    return out.bytes;
}

TEST(Pcx, RunsAndPaddingDecodeAndBadFilesAreRefused) {
    const Bytes rows = {1, 2, 3, 4, 5, 6}, good = pcxFile(3, 2, 3, rows);
    // Lines of 6 bytes for 5 pixels. 0xC3 0x05: three of colour 5; 0xC0: none; the run of 4 ends
    // row 0, its padding byte, and starts row 1, whose padding is the last 3.
    const Bytes handMade = pcxFile(5, 2, 6, {0xC3, 5, 0xC0, 9, 7, 0xC4, 2, 1, 0xC3, 3});
    Pixels handMadePixels;
    for (const uint32_t i : {5, 5, 5, 7, 2, 2, 2, 1, 3, 3}) handMadePixels.push_back(0xFF000000u | i << 16 | (255 - i) << 8 | i * 7);
    expectCases(pcxDecode, {
        {"hand-made runs", handMade, handMadePixels}, {"manufacturer", withField(good, 0, 11, 1)}, {"version 3", withField(good, 1, 3, 1)},
        {"4 bits", withField(good, 3, 4, 1)}, {"three planes", withField(good, 65, 3, 1)}, {"xmax < xmin", withField(good, 8, 2, 2)},
        {"ymax < ymin", withField(good, 10, 9, 2)}, {"wider than a line", withField(good, 66, 2, 2)},
        {"palette marker", pcxFile(3, 2, 3, rows, 11)}, {"rows end early", pcxFile(3, 2, 3, {1, 2, 3, 4, 0xC1})},
        // Seven bytes of runs cannot fill 65535 x 65535 pixels: refused before allocating.
        {"huge claim", withField(withField(withField(good, 4, 0), 8, 0xFFFEFFFE), 66, 0xFFFF, 2)}});
    // Rows 1 1 1 | EE, C5 2 | 2 0 9 | 9 9 9 in runs that cross them; bytes from 0xC0 up as runs of one.
    expectRefusesCutsAndSurvivesDamage(pcxDecode, pcxFile(3, 3, 4, {0xC3, 1, 0xC1, 0xEE, 0xC1, 0xC5, 0xC2, 2, 0, 0xC4, 9}));
}

constexpr uint32_t kRle8 = 1, kRle4 = 2, kBitfields = 3;

// A bitmap to write: header fields and pixels, top row first, each a palette
// index or 0xRRGGBB (16 bits: the stored word); run-length files hold codes instead.
struct BmpFile {
    int32_t width, height;  // negative height: rows stored top down
    uint16_t bits;
    Pixels palette{}, values{};                        // palette: 0xRRGGBB
    uint32_t infoSize = 40, compression = 0, gap = 0;  // gap: bytes between palette and pixels
    bool declarePaletteSize = true;                    // false: colours used 0
    std::array<uint32_t, 3> masks{0xFF0000, 0xFF00, 0xFF};
    Bytes codes{};
    bool sweep = false;  // the test cuts and damages it too

    Bytes encode() const {
        const uint32_t rows = uint32_t(std::abs(height)), masksAfterHeader = compression == kBitfields && infoSize == 40 ? 12 : 0;
        const bool core = infoSize == 12;
        ByteWriter out;
        out.u8('B').u8('M').u32(0).u32(0).u32(14 + infoSize + masksAfterHeader + uint32_t(palette.size()) * (core ? 3 : 4) + gap);
        if (core) out.u32(infoSize).u16(uint32_t(width)).u16(uint32_t(height)).u16(1).u16(bits);
        else out.u32(infoSize).u32(uint32_t(width)).u32(uint32_t(height)).u16(1).u16(bits).u32(compression).u32(0).u32(2835).u32(2835)
                 .u32(declarePaletteSize ? uint32_t(palette.size()) : 0).u32(0);
        if (compression == kBitfields) out.u32(masks[0]).u32(masks[1]).u32(masks[2]);
        if (infoSize > 40) out.fill(infoSize - (compression == kBitfields ? 52 : 40), 0);
        for (uint32_t colour : palette) core ? out.u8(colour).u8(colour >> 8).u8(colour >> 16) : out.u32(colour);
        out.fill(gap, 0xEE);
        if (compression == kRle8 || compression == kRle4) return out.append(codes).bytes;
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
        file.values.push_back(bits <= 8 ? uint32_t(random.next() % paletteSize) : uint32_t(random.next()) & (bits == 16 ? 0xFFFF : 0xFFFFFF));
    return file;
}

// Every depth under every header size and both row orders (odd widths: a short
// palette, a gap before the pixels, channel masks on 32 bits; even: a full palette
// with colours used 0); core headers and 16-bit pixels. Ours
// gives what was written, SDL too; 16-bit channels scale as round(v * 255 / max),
// where SDL repeats the bits: at most one apart.
TEST(Bmp, EveryDepthHeaderAndRowOrderMatchesSdl) {
    TestRandom random(6);
    std::vector<BmpFile> files;
    for (const uint16_t bits : {1, 4, 8, 24, 32})
        for (const uint32_t infoSize : {40u, 108u, 124u})
            for (const int32_t width : {1, 2, 3, 5, 7, 9, 17, 33})
                for (const int32_t direction : {1, -1}) {
                    const bool odd = width % 2 == 1;
                    const uint32_t fullPalette = bits <= 8 ? 1u << bits : 0;
                    BmpFile &file = files.emplace_back(randomFile(random, width, direction * (1 + width % 4), bits, odd && bits > 1 ? fullPalette / 2 + 1 : fullPalette));
                    file.infoSize = infoSize, file.declarePaletteSize = odd, file.gap = odd ? uint32_t(width) : 0;
                    if (bits == 32 && odd) file.compression = kBitfields, file.masks = {0xFF000000, 0xFF0000, 0xFF00};
                    file.sweep = width == 3 && infoSize == 40 && direction == 1;
                }
    for (const int32_t width : {1, 2, 3, 7, 16, 33, 300}) {
        for (const uint16_t bits : {1, 4, 8, 24}) files.push_back(randomFile(random, width, 2, bits, bits <= 8 ? 1u << bits : 0)), files.back().infoSize = 12;
        for (const auto &[masks, compression] : {std::pair{std::array<uint32_t, 3>{0x7C00, 0x3E0, 0x1F}, 0u}, {{0xF800, 0x7E0, 0x1F}, kBitfields},
                                                 {{0x7C00, 0x3E0, 0x1F}, kBitfields}})
            files.push_back(randomFile(random, width, -2, 16, 0)), files.back().compression = compression, files.back().masks = masks;
        for (size_t i = files.size() - 7; width == 7 && i < files.size(); ++i) files[i].sweep = files[i].compression != kBitfields;
    }
    for (const BmpFile &file : files) {
        Pixels expected;
        for (const uint32_t v : file.values) {
            uint32_t colour = file.bits <= 8 ? file.palette[v] : v;
            for (size_t c = 0; file.bits == 16 && c < 3; ++c) {
                const uint32_t shift = uint32_t(std::countr_zero(file.masks[c])), max = file.masks[c] >> shift;
                colour = (c ? colour << 8 : 0) | (((v & file.masks[c]) >> shift) * 255 + max / 2) / max;
            }
            expected.push_back(0xFF000000 | colour);
        }
        SCOPED_TRACE(testing::Message() << file.bits << " bits, compression " << file.compression << ", header " << file.infoSize << ", " << file.width << " x " << file.height);
        Bytes bytes = file.encode();
        EXPECT_EQ(decodeExact(bmpDecode, bytes).pixels, expected);
        const Pixels sdl = sdlPixels(bytes);
        ASSERT_EQ(sdl.size(), expected.size());
        for (size_t i = 0; i < sdl.size(); ++i)
            for (unsigned shift = 0; shift < 24; shift += 8)
                ASSERT_LE(std::abs(int(sdl[i] >> shift & 0xFF) - int(expected[i] >> shift & 0xFF)), file.bits == 16 ? 1 : 0) << i;
        // The last row's padding may be missing; anything shorter is refused.
        if (file.sweep) bytes.resize(bytes.size() - (4 - (uint32_t(file.width) * file.bits + 7) / 8 % 4) % 4);
        if (file.sweep) expectRefusesCutsAndSurvivesDamage(bmpDecode, bytes);
    }
}

TEST(Bmp, HandMadeFieldsAndRunLengthCodes) {
    constexpr size_t kWidthAt = 18, kHeightAt = 22, kBitsAt = 28, kCompressionAt = 30, kInfoSizeAt = 14;
    TestRandom random(8);
    const Bytes indexed = randomFile(random, 8, 2, 8, 256).encode(), truecolour = randomFile(random, 4, 2, 24, 0).encode();
    // 4-bit red, 10-bit green and no blue: narrow and wide channels scale to 8 bits.
    const Bytes masked = withField(withField(BmpFile{2, 1, 32, {}, {0, 0}, 40, kBitfields}.encode(), 54, 0xF), 58, 0x3FF0);
    // Run-length streams: what they leave unset is transparent black.
    const Pixels palette = {0x112233, 0x445566, 0x778899};
    const auto rle = [&](int32_t width, uint16_t bits, uint32_t compression, const Bytes &codes) {
        return BmpFile{width, width == 4 ? 3 : 1, bits, palette, {}, 40, compression, 0, true, {}, codes}.encode();
    };
    const uint32_t a = 0xFF112233, b = 0xFF445566, c = 0xFF778899;
    // Bottom row: a run of 2 and end of line; middle: a literal of 3 (padded), then a move 1 up;
    // top: a run of 5 whose last four fall past the width; end of bitmap. 4 bits: a run alternates
    // two indices; a literal of 5 takes three bytes, padded to four.
    const Bytes codes = rle(4, 8, kRle8, {2, 1, 0, 0, 0, 3, 2, 0, 1, 0, 0, 2, 0, 1, 5, 2, 0, 1}),
                codes4 = rle(8, 4, kRle4, {3, 0x12, 0, 5, 0x01, 0x20, 0x10, 0, 0, 1});
    expectCases(bmpDecode, {
        {"narrow and wide masks", withField(withField(withField(masked, 62, 0), 66, 0xF | 0x3FF0), 70, 0x8 | 0x2000), {0xFFFFFF00, 0xFF888000}},
        {"indices beyond the stored palette are black", BmpFile{4, 1, 8, {0x102030, 0x405060}, {0, 1, 2, 255}}.encode(),
         {0xFF102030, 0xFF405060, 0xFF000000, 0xFF000000}},
        {"signature", withField(indexed, 1, 'A', 1)}, {"RLE4 at 8 bits", withField(indexed, kCompressionAt, kRle4)},
        {"embedded PNG", withField(truecolour, kCompressionAt, 5)}, {"2 bits", withField(indexed, kBitsAt, 2, 2)},
        {"0 bits", withField(indexed, kBitsAt, 0, 2)}, {"masks on 24 bits", withField(truecolour, kCompressionAt, kBitfields)},
        {"scattered mask", withField(BmpFile{2, 2, 32, {}, {1, 2, 3, 4}, 40, kBitfields}.encode(), 54, 0x00F0F000)},
        {"zero width", withField(truecolour, kWidthAt, 0)}, {"negative width", withField(truecolour, kWidthAt, uint32_t(-4))},
        {"zero height", withField(truecolour, kHeightAt, 0)}, {"height -2^31", withField(truecolour, kHeightAt, 0x80000000u)},
        {"16-byte header", withField(truecolour, kInfoSizeAt, 16)}, {"pixels past the end", withField(truecolour, 10, 0xFFFFFFF0u)},
        {"palette past the end", withField(indexed, kInfoSizeAt, 0x7FFFFFF0u)},
        // A few bytes claiming 2^62 pixels fail before any allocation.
        {"huge claim", withField(withField(truecolour, kWidthAt, 0x7FFFFFFF), kHeightAt, 0x7FFFFFFF)},
        {"codes", codes, {0, 0, 0, c, c, a, b, 0, b, b, 0, 0}}, {"4-bit codes", codes4, {b, c, b, a, b, c, a, b}},
        {"early end of bitmap", rle(4, 8, kRle8, {1, 2, 0, 1}), {0, 0, 0, 0, 0, 0, 0, 0, c, 0, 0, 0}},
        {"a run of 130", rle(130, 8, kRle8, {130, 1, 0, 1}), Pixels(130, b)},
        {"no end of bitmap", rle(4, 8, kRle8, {2, 1, 0, 0})}, {"literal cut", rle(4, 8, kRle8, {0, 5, 1, 1})},
        {"delta cut", rle(4, 8, kRle8, {0, 2, 1})}, {"RLE8 at 4 bits", rle(8, 4, kRle8, {0, 1})},
        {"too short for its size", BmpFile{4000, 2000, 8, palette, {}, 40, kRle8, 0, true, {}, {0, 1}}.encode()}});
    EXPECT_EQ(sdlPixels(codes4), (Pixels{b, c, b, a, b, c, a, b})) << "SDL's reading";
    for (const Bytes &file : {codes, codes4}) expectRefusesCutsAndSurvivesDamage(bmpDecode, file);
}

// QOI: every operation by hand (the writers' tests hold the library's writer to the
// format's reference one).
TEST(Qoi, HandMadeOperationsCutsDamageAndRefusals) {
    const auto file = [](const Bytes &ops) { return ByteWriter{{'q', 'o', 'i', 'f'}, true}.u32(4).u32(2).u8(4).u8(1).append(ops).fill(7, 0).u8(1).bytes; };
    // RGB 10,20,30; diff -2,-1,+1; luma dg +5, dr-dg -8, db-dg +7; RGBA; index of
    // the first (hash (10*3 + 20*5 + 30*7 + 255*11) % 64 = 9); run of 3.
    const Bytes ops = file({0xFE, 10, 20, 30, 0x40 | 0 << 4 | 1 << 2 | 3, 0x80 | 37, 0x0F, 0xFF, 1, 2, 3, 4, 9, 0xC2});
    expectCases(qoiLoadMem, {
        {"operations", ops, {0xFF0A141E, 0xFF08131F, 0xFF05182B, 0x04010203, 0xFF0A141E, 0xFF0A141E, 0xFF0A141E, 0xFF0A141E}},
        // A run at the start repeats opaque black; a run past the end is cut short.
        {"runs", file({0xC1, 0xFD}), Pixels(8, 0xFF000000)}, {"too few pixels", file({0xC1})}, {"magic", withField(ops, 0, 'Q', 1)},
        {"5 channels", withField(ops, 12, 5, 1)}, {"colour space 2", withField(ops, 13, 2, 1)}, {"end marker", flipped(ops, -1, 1)},
        {"zero width", withField(ops, 4, 0)}, {"no end marker", Bytes(ops.begin(), ops.end() - 1), {}, "QOI end marker missing at byte " + std::to_string(ops.size() - 1)},
        // 2^16 x 2^12 claimed by 15 bytes of operations: refused before allocating.
        {"huge claim", withField(withField(ops, 4, 0x100), 8, 0x10, 4)}});
    expectRefusesCutsAndSurvivesDamage(qoiDecode, ops);
}

// Pillow writes random pictures in each TGA mode, raw and run-length, both row
// orders, and gives its own reading as RGBA bytes beside each.
TEST(Tga, FilesWrittenByPillowMatchItsReading) {
    if (std::system("/usr/bin/python3 -c 'import PIL' 2>/dev/null")) GTEST_SKIP() << "Pillow is not installed";  // Debian's, as python3-pil serves it
    const std::string base = outputPath("pillow_tga"), script = outputPath("write_tgas.py");
    std::ofstream(script) << R"(import random, sys
from PIL import Image
random.seed(7)
layouts = [(m, c, o) for m in ('L', 'LA', 'P', 'RGB', 'RGBA') for c in (None, 'tga_rle') for o in (-1, 1)]
for n, (mode, compression, orientation) in enumerate(layouts):
    w, h = random.choice([(1, 1), (7, 3), (130, 5)])
    bands, data = len(Image.new(mode, (1, 1)).getbands()), b''
    while len(data) < w * h * bands:
        data += bytes(random.randrange(256) for _ in range(bands)) * random.randrange(1, 140)
    im = Image.frombytes(mode, (w, h), data[:w * h * bands])
    if mode == 'P':
        im.putpalette([random.randrange(256) for _ in range(768)])
    path = sys.argv[1] + str(n)
    im.save(path + '.tga', compression=compression, orientation=orientation)
    open(path + '.rgba', 'wb').write(Image.open(path + '.tga').convert('RGBA').tobytes())
)";
    ASSERT_EQ(std::system(("/usr/bin/python3 " + script + " " + base).c_str()), 0);
    for (int n = 0; n < 20; ++n) {
        const Bytes file = readFile(base + std::to_string(n) + ".tga");
        const Pixels expected = fromRgb(readFile(base + std::to_string(n) + ".rgba"), 4);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(decodeExact(tgaDecode, file).pixels, expected) << "file " << n << ", type " << int(file.at(2)) << ", descriptor " << int(file.at(17));
    }
}

// An 18-byte header; then the colour map and pixels given.
Bytes tgaFile(uint8_t type, uint8_t bits, uint16_t width, uint16_t height, uint8_t descriptor, const Bytes &rest, uint16_t mapFirst = 0,
              uint16_t mapLength = 0, uint8_t mapBits = 0) {
    return ByteWriter().u8(2).u8(mapLength ? 1 : 0).u8(type).u16(mapFirst).u16(mapLength).u8(mapBits).u16(0).u16(0)
        .u16(width).u16(height).u8(bits).u8(descriptor).u8('i').u8('d').append(rest).bytes;
}

TEST(Tga, HandMadeFilesAndRefusals) {
    // 16 bits: 0x7C00 red, 0x03E0 green with the alpha bit, 0x001F blue, 0x4210 half grey (16 of 31: 132).
    const Bytes sixteen = {0x00, 0x7C, 0xE0, 0x83, 0x1F, 0x00, 0x10, 0x42};
    // Colour map entries 5 and 6 (24 bits), 16-bit indices 5, 6, 7 (outside), 4 (outside).
    const Bytes mapped = tgaFile(1, 16, 4, 1, 0x20, {1, 2, 3, 4, 5, 6, 5, 0, 6, 0, 7, 0, 4, 0}, 5, 2, 24);
    // Run-length grey: a run of 3 of 9, then raw 1 and 2, crossing rows; right to left, top down.
    const Bytes runs = tgaFile(11, 8, 2, 3, 0x30, {0x82, 9, 0x02, 1, 2, 7});
    const auto grey = [](uint32_t v) { return 0xFF000000 | v * 0x010101; };
    expectCases(tgaDecode, {
        {"16 bits with alpha bits, bottom up", tgaFile(2, 16, 2, 2, 0x01, sixteen), {0x000000FF, 0x00848484, 0x00FF0000, 0xFF00FF00}},
        {"15 bits: no alpha", tgaFile(2, 15, 2, 2, 0x20, sixteen), {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF848484}},
        {"32 bits without alpha bits", tgaFile(2, 32, 1, 1, 0x20, {1, 2, 3, 4}), {0xFF030201}},
        {"32 bits with alpha bits", tgaFile(2, 32, 1, 1, 0x28, {1, 2, 3, 4}), {0x04030201}},
        {"16-bit indices from entry 5", mapped, {0xFF030201, 0xFF060504, 0, 0}},
        {"runs across rows, right to left", runs, {grey(9), grey(9), grey(1), grey(9), grey(7), grey(2)}},
        {"no image", tgaFile(0, 8, 1, 1, 0, {0})}, {"type 32", tgaFile(32, 8, 1, 1, 0, {0})},
        {"grey of 24 bits", tgaFile(3, 24, 1, 1, 0, {0, 0, 0})}, {"mapped without a map", tgaFile(1, 8, 1, 1, 0, {0})},
        {"map of 8-bit entries", tgaFile(1, 8, 1, 1, 0, {0, 0}, 0, 1, 8)}, {"zero width", tgaFile(2, 24, 0, 1, 0, {})},
        {"pixels short", tgaFile(2, 24, 2, 1, 0, {1, 2, 3, 4, 5})}, {"huge claim", tgaFile(10, 24, 65535, 65535, 0, {0xFF, 1, 2, 3})}});
    expectRefusesCutsAndSurvivesDamage(tgaDecode, mapped);
    expectRefusesCutsAndSurvivesDamage(tgaDecode, runs);
}

// ImageMagick's convert writes random pixels of a few colours; ours must read them
// as convert itself reads the file back, as its palette writers may quantise.
// Bitmaps of 24 bits, 32 bits with masks and run-length encoded 8 bits, its
// default for palettes (the SDL comparison above covers the other depths); PCX
// with short and long rows.
TEST(Readers, FilesWrittenByImageMagick) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert is not installed";
    TestRandom random(13);
    const std::string ppm = outputPath("magick.ppm"), rgb = outputPath("magick.rgb");
    const std::tuple<MemoryDecoder, uint32_t, std::string, std::string> writers[] = {
        {bmpDecode, 13, "", "BMP3"}, {bmpDecode, 13, "-type TrueColorAlpha", "BMP"}, {bmpDecode, 13, "-type Palette", "BMP3"},
        {pcxDecode, 13, "-type Palette", "PCX"}, {pcxDecode, 300, "-type Palette", "PCX"}};
    for (const auto &[decode, width, options, format] : writers) {
        const std::string file = outputPath("magick." + format), path = "'" + format + ":" + file + "'";
        std::string picture = "P6 " + std::to_string(width) + " 7 255\n";
        for (uint32_t i = 0; i < width * 7; ++i) {
            const uint32_t colour = uint32_t(random.next() % 200 * 0x9E3779B1u);  // one of 200 distinct ones
            picture.append(reinterpret_cast<const char *>(&colour), 3);
        }
        std::ofstream(ppm, std::ios::binary) << picture;
        ASSERT_EQ(std::system(("convert " + ppm + " " + options + " " + path + " && convert " + path + " -depth 8 rgb:" + rgb).c_str()), 0);
        EXPECT_EQ(decodeExact(decode, readFile(file)).pixels, fromRgb(readFile(rgb), 3)) << options << " " << format;
    }
}

// A reader by file name as a decoder of the name's bytes, so that decodeExact checks it too.
template <bool (*Load)(GFXimage *, const char *)>
bool byName(GFXimage *image, const uint8_t *name, uint32_t size) { return Load(image, std::string(name, name + size).c_str()); }
Decoded load(const std::string &path, MemoryDecoder loader = byName<imageLoad>) { return decodeExact(loader, Bytes(path.begin(), path.end())); }

// imageLoad, imageLoadMem and each format's own reader by name over the fuzz seed files of
// every format: each gives what the format's decoder gives; names matter only for IM and
// for TGA's reason. A missing file is refused, the caller's record untouched.
TEST(ImageLoad, EveryFormatBySignatureImByNameTgaLast) {
    const std::tuple<const char *, MemoryDecoder, MemoryDecoder> formats[] = {
        {"png", pngDecode, byName<pngLoad>}, {"jpeg", jpegLoadMem, byName<jpegLoad>}, {"gif", gifDecode, byName<gifLoad>},
        {"bmp", bmpDecode, byName<bmpLoad>}, {"qoi", qoiDecode, byName<qoiLoad>}, {"pcx", pcxDecode, byName<pcxLoad>},
        {"tga", tgaDecode, byName<tgaLoad>}, {"im", imDecode, byName<imLoad>}};
    for (const auto &[format, decode, loader] : formats) {
        const std::string folder = std::string(ZORBLIT_FUZZ_CORPUS) + "/" + format;
        EXPECT_GT(std::distance(std::filesystem::directory_iterator(folder), {}), 0) << format;
        EXPECT_FALSE(load(folder + "/missing", loader).ok) << format;
        EXPECT_STREQ(LoadFailureReason(), "cannot open file");
        for (const auto &item : std::filesystem::directory_iterator(folder)) {
            const Bytes bytes = readFile(item.path());
            const Decoded expected = decodeExact(decode, bytes);
            SCOPED_TRACE(item.path().string());
            ASSERT_TRUE(expected.ok);
            EXPECT_EQ(load(item.path(), loader).pixels, expected.pixels);
            // In memory and under a neutral name: IM is not recognised there.
            writeFile(outputPath("any_format.dat"), bytes);
            EXPECT_EQ(load(item.path()).pixels, expected.pixels);
            if (std::string(format) != "im") {
                EXPECT_EQ(decodeExact(imageLoadMem, bytes).pixels, expected.pixels);
                EXPECT_EQ(load(outputPath("any_format.dat")).pixels, expected.pixels);
            }
        }
    }
    // Unknown bytes: the general reason, or TGA's for a name that claims TGA.
    const Bytes unknown = {'h', 'e', 'l', 'l', 'o', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(decodeExact(imageLoadMem, unknown).ok);
    EXPECT_STREQ(LoadFailureReason(), "unknown image format");
    writeFile(outputPath("not_really.TGA"), unknown);
    EXPECT_FALSE(load(outputPath("not_really.TGA")).ok);
    EXPECT_STREQ(LoadFailureReason(), "not a TGA file");
    EXPECT_FALSE(load(outputPath("not_really.TGA.missing")).ok);
    EXPECT_STREQ(LoadFailureReason(), "cannot open file");
}

}  // namespace
}  // namespace zorblit::test
