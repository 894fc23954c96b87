// Colour model conversions: the worked examples, and round trips over every
// RGB colour (a stride in sanitizer builds keeps them quick).
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "zorblit.h"

namespace {

using Triple = std::array<int, 3>;

Triple toHSV(int r, int g, int b) {
    uint8_t h, s, v;
    RGB2HSV(uint8_t(r), uint8_t(g), uint8_t(b), &h, &s, &v);
    return {h, s, v};
}

Triple toRGB(int h, int s, int v) {
    uint8_t r, g, b;
    HSV2RGB(uint8_t(h), uint8_t(s), uint8_t(v), &r, &g, &b);
    return {r, g, b};
}

#if defined(__SANITIZE_ADDRESS__)
constexpr int kStride = 7;
#else
constexpr int kStride = 1;
#endif

TEST(ColourModels, HSVExamples) {
    EXPECT_EQ(toHSV(255, 0, 0), (Triple{0, 255, 255}));
    EXPECT_EQ(toHSV(0, 255, 0), (Triple{85, 255, 255}));
    EXPECT_EQ(toHSV(0, 0, 255), (Triple{170, 255, 255}));
    EXPECT_EQ(toHSV(255, 0, 255), (Triple{212, 255, 255}));  // 212.5, half to even
    EXPECT_EQ(toHSV(0, 255, 255), (Triple{128, 255, 255}));  // green and blue share the top: blue wins
    for (int grey : {0, 1, 128, 255}) EXPECT_EQ(toHSV(grey, grey, grey), (Triple{0, 0, grey}));

    EXPECT_EQ(toRGB(0, 255, 255), (Triple{255, 0, 0}));
    EXPECT_EQ(toRGB(85, 255, 255), (Triple{0, 255, 0}));
    EXPECT_EQ(toRGB(250, 255, 255), (Triple{255, 0, 30}));  // above 300 degrees
    for (int h = 0; h < 256; ++h) ASSERT_EQ(toRGB(h, 0, 77), (Triple{77, 77, 77}));
}

TEST(ColourModels, CMYAndCMYKExamples) {
    uint8_t c, y, m, k, r, g, b;
    RGB2CYM(10, 20, 30, &c, &y, &m);
    EXPECT_EQ((Triple{c, y, m}), (Triple{245, 225, 235}));
    CYM2RGB(c, y, m, &r, &g, &b);
    EXPECT_EQ((Triple{r, g, b}), (Triple{10, 20, 30}));

    RGB2CYMK(0, 0, 0, &c, &y, &m, &k);
    EXPECT_EQ((std::array<int, 4>{c, y, m, k}), (std::array<int, 4>{0, 0, 0, 255}));
    RGB2CYMK(255, 255, 255, &c, &y, &m, &k);
    EXPECT_EQ((std::array<int, 4>{c, y, m, k}), (std::array<int, 4>{0, 0, 0, 0}));
    RGB2CYMK(255, 128, 0, &c, &y, &m, &k);  // orange: no grey part, yellow full
    EXPECT_EQ((std::array<int, 4>{c, y, m, k}), (std::array<int, 4>{0, 255, 127, 0}));
    CYMK2RGB(0, 0, 0, 0, &r, &g, &b);
    EXPECT_EQ((Triple{r, g, b}), (Triple{255, 255, 255}));
    CYMK2RGB(0, 0, 0, 255, &r, &g, &b);
    EXPECT_EQ((Triple{r, g, b}), (Triple{0, 0, 0}));
}

// CMYK keeps every colour exactly: the stretch by 1 / f and the shrink by f
// undo each other within the rounding to whole levels.
TEST(ColourModels, CMYKRoundTripOverEveryColour) {
    int worst = 0;
    for (int rgb = 0; rgb < (1 << 24); rgb += kStride) {
        const int r = rgb >> 16, g = rgb >> 8 & 0xFF, bl = rgb & 0xFF;
        uint8_t c, y, m, k, r2, g2, b2;
        RGB2CYMK(uint8_t(r), uint8_t(g), uint8_t(bl), &c, &y, &m, &k);
        CYMK2RGB(c, y, m, k, &r2, &g2, &b2);
        worst = std::max({worst, std::abs(r - r2), std::abs(g - g2), std::abs(bl - b2)});
    }
    EXPECT_EQ(worst, 0);
}

// Hue has only 256 steps for 1530 distinct RGB hues, so the way back can miss by
// a few levels on saturated colours; the measured worst case is 3.
TEST(ColourModels, HSVRoundTripOverEveryColour) {
    int worst = 0;
    for (int rgb = 0; rgb < (1 << 24); rgb += kStride) {
        const int r = rgb >> 16, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
        const Triple hsv = toHSV(r, g, b);
        ASSERT_EQ(hsv[2], std::max({r, g, b}));
        const Triple back = toRGB(hsv[0], hsv[1], hsv[2]);
        worst = std::max({worst, std::abs(r - back[0]), std::abs(g - back[1]), std::abs(b - back[2])});
    }
    EXPECT_LE(worst, 3);
}

}  // namespace
