// Fades and alpha from brightness (the same in both forms).
#include <gtest/gtest.h>

#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

uint32_t faded(void (*fade)(GFXimage, uint8_t), uint32_t pixel, uint8_t level) {
    OwnedImage image(1, 1);
    image.at(0, 0) = pixel;
    fade(image, level);
    return image.at(0, 0);
}

TEST(Fade, LevelsZeroHalfAndFull) {
    const struct {
        void (*fade)(GFXimage, uint8_t);
        uint32_t pixel;
        uint8_t level;
        uint32_t expected;
    } cases[] = {
        {Fade2BlackImage, 0x7FFFC880, 0, 0x7F000000},
        {Fade2BlackImage, 0x7FC86401, 128, 0x7F643200},  // 200 -> 100, 1 -> 0.5 -> 0 (even)
        {Fade2BlackImage, 0x12FF8003, 128, 0x12804002},  // 3 -> 1.5 -> 2 (even)
        {Fade2BlackImage, 0xFFFF8000, 255, 0xFFFE8000},  // 255 -> 254, 128 -> 127.5 -> 128
        {Fade2WhiteImage, 0x3C102030, 0, 0x3CFFFFFF},
        {Fade2WhiteImage, 0x3C102030, 255, 0x3C102030},
        {Fade2WhiteImage, 0x3C0064FF, 128, 0x3C7FB1FF},  // 255 - 255 * 128 / 255 = 127; 255 - 155 * 128 / 255 = 177.2
    };
    for (const auto &c : cases) EXPECT_EQ(faded(c.fade, c.pixel, c.level), c.expected) << std::hex << c.pixel;

    OwnedImage source(3, 2), dest(4, 2);
    source.fillNoise(9);
    dest.fill(0xDEADBEEF);
    Fade2WhiteImage2Screen(dest, source, 128);
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 4; ++x)
            EXPECT_EQ(dest.at(x, y), x < 3 ? faded(Fade2WhiteImage, source.at(x, y), 128) : 0xDEADBEEFu);
}

TEST(Fade, AlphaFromMaskBrightness) {
    OwnedImage dest(2, 2), mask(3, 2);
    dest.fill(0x00123456);
    mask.at(0, 0) = 0x005A3C1E;  // (90, 60, 30): 255 - 60
    mask.at(1, 0) = 0xFF010100;  // (1, 1, 0): 255 - 0
    mask.at(0, 1) = 0x00FFFFFF;
    CreateAlphaFromImage(dest, mask);
    EXPECT_EQ(dest.pixels(), (std::vector<uint32_t>{0xC3123456, 0xFF123456, 0x00123456, 0xFF123456}));
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
