// Colour model conversions: the worked examples, and round trips over every
// RGB colour (a stride in sanitizer builds keeps them quick).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "zorblit.h"

namespace {

using Triple = std::array<int, 3>;
using Quad = std::array<int, 4>;

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
Quad toCYMK(int r, int g, int b) {
    uint8_t c, y, m, k;
    RGB2CYMK(uint8_t(r), uint8_t(g), uint8_t(b), &c, &y, &m, &k);
    return {c, y, m, k};
}
Triple fromCYMK(const Quad &q) {
    uint8_t r, g, b;
    CYMK2RGB(uint8_t(q[0]), uint8_t(q[1]), uint8_t(q[2]), uint8_t(q[3]), &r, &g, &b);
    return {r, g, b};
}

#if defined(__SANITIZE_ADDRESS__)
constexpr int kStride = 7;
#else
constexpr int kStride = 1;
#endif

TEST(ColourModels, Examples) {
    // RGB -> HSV; 212.5 rounds half to even; green and blue sharing the top: blue wins.
    for (const auto &[rgb, hsv] : {std::pair{Triple{255, 0, 0}, Triple{0, 255, 255}},
                                   {{0, 255, 0}, {85, 255, 255}},
                                   {{0, 0, 255}, {170, 255, 255}},
                                   {{255, 0, 255}, {212, 255, 255}},
                                   {{0, 255, 255}, {128, 255, 255}}}) {
        EXPECT_EQ(toHSV(rgb[0], rgb[1], rgb[2]), hsv);
        if (hsv[0] == 0 || hsv[0] == 85) {
            EXPECT_EQ(toRGB(hsv[0], hsv[1], hsv[2]), rgb);
        }
    }
    for (int grey : {0, 1, 128, 255}) EXPECT_EQ(toHSV(grey, grey, grey), (Triple{0, 0, grey}));
    EXPECT_EQ(toRGB(250, 255, 255), (Triple{255, 0, 30}));  // above 300 degrees
    for (int h = 0; h < 256; ++h) ASSERT_EQ(toRGB(h, 0, 77), (Triple{77, 77, 77}));

    uint8_t c, y, m, r, g, b;
    RGB2CYM(10, 20, 30, &c, &y, &m);
    EXPECT_EQ((Triple{c, y, m}), (Triple{245, 225, 235}));
    CYM2RGB(c, y, m, &r, &g, &b);
    EXPECT_EQ((Triple{r, g, b}), (Triple{10, 20, 30}));
    // Black is all key, white nothing; orange has no grey part and full yellow.
    EXPECT_EQ(toCYMK(0, 0, 0), (Quad{0, 0, 0, 255}));
    EXPECT_EQ(toCYMK(255, 255, 255), (Quad{0, 0, 0, 0}));
    EXPECT_EQ(toCYMK(255, 128, 0), (Quad{0, 255, 127, 0}));
    EXPECT_EQ(fromCYMK({0, 0, 0, 0}), (Triple{255, 255, 255}));
    EXPECT_EQ(fromCYMK({0, 0, 0, 255}), (Triple{0, 0, 0}));
}

// CMYK keeps every colour exactly. HSV has only 256 hue steps for 1530
// distinct RGB hues, so the way back can miss by a few levels on saturated
// colours; the measured worst case is 3.
TEST(ColourModels, RoundTripsOverEveryColour) {
    int worstCMYK = 0, worstHSV = 0;
    const auto distance = [](const Triple &a, const Triple &b) {
        return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
    };
    for (int rgb = 0; rgb < (1 << 24); rgb += kStride) {
        const Triple colour{rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF};
        worstCMYK = std::max(worstCMYK, distance(colour, fromCYMK(toCYMK(colour[0], colour[1], colour[2]))));
        const Triple hsv = toHSV(colour[0], colour[1], colour[2]);
        ASSERT_EQ(hsv[2], std::max({colour[0], colour[1], colour[2]}));
        worstHSV = std::max(worstHSV, distance(colour, toRGB(hsv[0], hsv[1], hsv[2])));
    }
    EXPECT_EQ(worstCMYK, 0);
    EXPECT_LE(worstHSV, 3);
}

}  // namespace
