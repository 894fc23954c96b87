// Fades and alpha from brightness (the same in both forms).
#include <gtest/gtest.h>

#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

uint32_t fadedToBlack(uint32_t pixel, uint8_t level) {
    OwnedImage image(1, 1);
    image.at(0, 0) = pixel;
    Fade2BlackImage(image, level);
    return image.at(0, 0);
}

uint32_t fadedToWhite(uint32_t pixel, uint8_t level) {
    OwnedImage image(1, 1);
    image.at(0, 0) = pixel;
    Fade2WhiteImage(image, level);
    return image.at(0, 0);
}

TEST(Fade, ToBlackAtLevels0And128And255) {
    EXPECT_EQ(fadedToBlack(0x7FFFC880, 0), 0x7F000000u);
    EXPECT_EQ(fadedToBlack(0x7FC86401, 128), 0x7F643200u);   // 200 -> 100, 1 -> 0.5 -> 0 (even)
    EXPECT_EQ(fadedToBlack(0x12FF8003, 128), 0x12804002u);   // 3 -> 1.5 -> 2 (even)
    EXPECT_EQ(fadedToBlack(0xFFFF8000, 255), 0xFFFE8000u);   // 255 -> 254, 128 -> 127.5 -> 128
}

TEST(Fade, ToWhiteAtLevels0And128And255) {
    EXPECT_EQ(fadedToWhite(0x3C102030, 0), 0x3CFFFFFFu);
    EXPECT_EQ(fadedToWhite(0x3C102030, 255), 0x3C102030u);
    // 255 - 255 * 128 / 255 = 127; 255 - 155 * 128 / 255 = 177.2
    EXPECT_EQ(fadedToWhite(0x3C0064FF, 128), 0x3C7FB1FFu);

    OwnedImage source(3, 2), dest(4, 2);
    source.fillNoise(9);
    dest.fill(0xDEADBEEF);
    Fade2WhiteImage2Screen(dest, source, 128);
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 4; ++x)
            EXPECT_EQ(dest.at(x, y), x < 3 ? fadedToWhite(source.at(x, y), 128) : 0xDEADBEEFu);
}

TEST(Fade, AlphaFromMaskBrightness) {
    OwnedImage dest(2, 2), mask(3, 2);
    dest.fill(0x00123456);
    mask.at(0, 0) = 0x005A3C1E;  // (90, 60, 30): 255 - 60
    mask.at(1, 0) = 0xFF010100;  // (1, 1, 0): 255 - 0
    mask.at(0, 1) = 0x00FFFFFF;
    CreateAlphaFromImage(dest, mask);
    EXPECT_EQ(dest.at(0, 0), 0xC3123456u);
    EXPECT_EQ(dest.at(1, 0), 0xFF123456u);
    EXPECT_EQ(dest.at(0, 1), 0x00123456u);
    EXPECT_EQ(dest.at(1, 1), 0xFF123456u);
}

TEST(Fade, EmptyImagesAreNotTouched) {
    const GFXimage empty{nullptr, 0, 3};
    Fade2BlackImage(empty, 7);
    Fade2WhiteImage(empty, 7);
    Fade2WhiteImage2Screen(empty, empty, 7);
    CreateAlphaFromImage(empty, empty);
}

}  // namespace
}  // namespace zorblit
