// IM files: palette form and true-colour form, both built here byte by byte.
#include "loaders/im.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

std::vector<uint8_t> imFile(uint16_t width, uint16_t height, const std::vector<uint8_t> &palette,
                            const std::vector<uint8_t> &pixels) {
    return ByteWriter().u8(uint8_t(palette.size() / 3)).u16(width).u16(height).append(palette).append(pixels).bytes();
}

TEST(ImLoad, PaletteFormScalesBySixBitsAndBlackensUnfilledSlots) {
    // Entries 1 and 2; slot 0 and slots above 2 are black. 64 * 4 and 255 * 4 wrap.
    const std::vector<uint8_t> palette = {63, 0, 1, 64, 100, 255};
    const std::vector<uint32_t> expected = {0x80000000, 0x80FC0004, 0x800090FC, 0x80000000,
                                            0x80000000, 0x80FC0004};
    EXPECT_EQ(loadPixels(imLoad, writeTestFile("im_palette.im", imFile(3, 2, palette, {0, 1, 2, 3, 255, 1})), 3, 2), expected);
}

TEST(ImLoad, TrueColourFormKeepsTheStoredBytes) {
    const std::vector<uint8_t> rgb = {1, 2, 3, 250, 251, 252, 0, 0, 0, 9, 8, 7};
    EXPECT_EQ(loadPixels(imLoad, writeTestFile("im_truecolour.im", imFile(1, 4, {}, rgb)), 1, 4), (std::vector<uint32_t>{0x80010203, 0x80FAFBFC, 0x80000000, 0x80090807}));
}

TEST(ImLoad, ShortEmptyOrDamagedFilesAreRefused) {
    for (const auto &bytes : {imFile(3, 2, {1, 2, 3}, {0, 1, 0, 1, 0, 1}), imFile(2, 2, {}, std::vector<uint8_t>(12, 7))}) {
        expectEveryTruncationRefused(imDecode, bytes);
        expectSurvivesByteCorruption(imDecode, bytes);
    }
    for (const auto &bytes : {imFile(0, 2, {}, {}), imFile(2, 0, {1, 2, 3}, {}),
                              // A file claiming 65535 × 65535 true-colour pixels holds none of them.
                              imFile(65535, 65535, {}, {1, 2, 3})}) {
        GFXimage image = sentinelImage();
        EXPECT_FALSE(imLoad(&image, writeTestFile("im_refused.im", bytes).c_str()));
        EXPECT_TRUE(isSentinel(image));
    }
    GFXimage image = sentinelImage();
    EXPECT_FALSE(imLoad(&image, (std::string(ZORBLIT_TEST_OUTPUT_DIR) + "/missing.im").c_str()));
    EXPECT_TRUE(isSentinel(image));
}

}  // namespace
}  // namespace zorblit::test
