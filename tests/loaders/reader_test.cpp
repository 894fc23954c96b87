// The bounds-checked cursor every reader builds on (the reader sweeps cover the
// rest); IM files: palette entry count, width, height, the palette in 6-bit
// levels, then an index or an RGB triple per pixel, read with alpha 0x80; and the
// files ImageMagick writes for the readers.
#include "loaders/bmp.h"
#include "loaders/im.h"
#include "loaders/pcx.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

TEST(ByteCursor, FailedReadsMoveNothingAndSizesCannotOverflow) {
    const uint8_t bytes[7] = {};
    ByteCursor cursor(bytes, sizeof bytes);
    uint32_t word;
    ASSERT_TRUE(cursor.seek(4));
    EXPECT_FALSE(cursor.u32(word));
    EXPECT_FALSE(cursor.skip(SIZE_MAX));
    EXPECT_FALSE(cursor.seek(sizeof bytes + 1));
    EXPECT_EQ(cursor.position(), 4u);
    EXPECT_TRUE(hasItems(cursor, UINT64_MAX, 0));
    EXPECT_TRUE(hasItems(cursor, 1, 3));
    EXPECT_FALSE(hasItems(cursor, 2, 2));
    EXPECT_FALSE(hasItems(cursor, UINT64_MAX / 2 + 1, 2));  // 2^64 bytes: zero if multiplied out
}

Bytes imFile(uint16_t width, uint16_t height, const Bytes &palette, const Bytes &pixels) {
    return ByteWriter().u8(uint32_t(palette.size() / 3)).u16(width).u16(height).append(palette).append(pixels).bytes;
}

TEST(Im, PaletteAndTrueColourForms) {
    // Entries count from 1; slot 0 and slots past the stored ones are black; 64 * 4 and 255 * 4 wrap.
    EXPECT_EQ(decodeExact(imDecode, imFile(3, 2, {63, 0, 1, 64, 100, 255}, {0, 1, 2, 3, 255, 1})).pixels,
              (Pixels{0x80000000, 0x80FC0004, 0x800090FC, 0x80000000, 0x80000000, 0x80FC0004}));
    EXPECT_EQ(decodeExact(imDecode, imFile(1, 4, {}, {1, 2, 3, 250, 251, 252, 0, 0, 0, 9, 8, 7})).pixels,
              (Pixels{0x80010203, 0x80FAFBFC, 0x80000000, 0x80090807}));
    expectFileLoadsAsInMemory(imLoad, imDecode, imFile(1, 1, {}, {1, 2, 3}), "one.im");
}

TEST(Im, RefusesEmptyShortAndDamagedFiles) {
    for (const Bytes &bytes : {imFile(3, 2, {1, 2, 3}, {0, 1, 0, 1, 0, 1}), imFile(2, 2, {}, Bytes(12, 7))})
        expectRefusesCutsAndSurvivesDamage(imDecode, bytes);
    // Empty pictures, and 65535 x 65535 pixels claimed by a file that holds one.
    for (const Bytes &bytes : {imFile(0, 2, {}, {}), imFile(2, 0, {1, 2, 3}, {}), imFile(65535, 65535, {}, {1, 2, 3})})
        EXPECT_FALSE(decodeExact(imDecode, bytes).ok);
}

TEST(Readers, FilesWrittenByImageMagick) {
    if (!imageMagickAvailable()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    TestRandom random(13);
    // Bitmaps of 24 bits with 40- and 124-byte headers, 32 bits with masks, 4 and 8 bits with palettes, and
    // run-length encoded 8 bits, its default for palettes, which is refused; PCX with short and long rows.
    const std::tuple<MemoryDecoder, uint32_t, uint32_t, const char *, const char *, bool> writers[] = {
        {bmpDecode, 13, 200, "", "BMP3", true}, {bmpDecode, 13, 200, "", "BMP", true},
        {bmpDecode, 13, 200, "-type TrueColorAlpha", "BMP", true}, {bmpDecode, 13, 12, "-type Palette", "BMP", true},
        {bmpDecode, 13, 200, "-type Palette -compress None", "BMP3", true}, {bmpDecode, 13, 200, "-type Palette", "BMP3", false},
        {pcxDecode, 13, 200, "-type Palette", "PCX", true}, {pcxDecode, 300, 200, "-type Palette", "PCX", true}};
    for (const auto &[decode, width, colours, options, format, decoded] : writers) {
        const MagickFile file = convertWithImageMagick(random, width, 7, colours, options, format);
        ASSERT_FALSE(file.bytes.empty()) << options << " " << format;
        EXPECT_EQ(decodeExact(decode, file.bytes).pixels, decoded ? file.pixels : Pixels{}) << options << " " << format;
    }
}

}  // namespace
}  // namespace zorblit::test
