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

Triple toHSV(Triple c) {
    uint8_t h, s, v;
    RGB2HSV(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), &h, &s, &v);
    return {h, s, v};
}
Triple toRGB(Triple c) {
    uint8_t r, g, b;
    HSV2RGB(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), &r, &g, &b);
    return {r, g, b};
}
Quad toCYMK(Triple c) {
    uint8_t cyan, yellow, magenta, key;
    RGB2CYMK(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), &cyan, &yellow, &magenta, &key);
    return {cyan, yellow, magenta, key};
}
Triple fromCYMK(Quad q) {
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
    // 212.5 rounds half to even; green and blue sharing the top: blue wins.
    for (const auto &[rgb, hsv] : {std::pair{Triple{255, 0, 0}, Triple{0, 255, 255}}, {{0, 255, 0}, {85, 255, 255}},
                                   {{0, 0, 255}, {170, 255, 255}}, {{255, 0, 255}, {212, 255, 255}},
                                   {{0, 255, 255}, {128, 255, 255}}}) {
        EXPECT_EQ(toHSV(rgb), hsv);
        EXPECT_TRUE((hsv[0] != 0 && hsv[0] != 85) || toRGB(hsv) == rgb);
    }
    for (int grey : {0, 1, 128, 255}) EXPECT_EQ(toHSV({grey, grey, grey}), (Triple{0, 0, grey}));
    EXPECT_EQ(toRGB({250, 255, 255}), (Triple{255, 0, 30}));  // above 300 degrees

    uint8_t c, y, m, r, g, b;
    RGB2CYM(10, 20, 30, &c, &y, &m);
    CYM2RGB(c, y, m, &r, &g, &b);
    EXPECT_EQ((std::array<int, 6>{c, y, m, r, g, b}), (std::array<int, 6>{245, 225, 235, 10, 20, 30}));
    // Black is all key, white nothing; orange has no grey part and full yellow.
    for (const auto &[rgb, cymk] : {std::pair{Triple{0, 0, 0}, Quad{0, 0, 0, 255}}, {{255, 255, 255}, {0, 0, 0, 0}},
                                    {{255, 128, 0}, {0, 255, 127, 0}}})
        EXPECT_TRUE(toCYMK(rgb) == cymk && fromCYMK(cymk) == rgb) << rgb[0] << " " << rgb[1] << " " << rgb[2];
}

// CMYK keeps every colour exactly. HSV has only 256 hue steps for 1530 distinct
// RGB hues, so the way back can miss by a few levels on saturated colours; the
// measured worst case is 3.
TEST(ColourModels, RoundTripsOverEveryColour) {
    int worstCMYK = 0, worstHSV = 0;
    const auto distance = [](const Triple &a, const Triple &b) {
        return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
    };
    for (int rgb = 0; rgb < (1 << 24); rgb += kStride) {
        const Triple colour{rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF}, hsv = toHSV(colour);
        ASSERT_EQ(hsv[2], std::max({colour[0], colour[1], colour[2]}));
        worstCMYK = std::max(worstCMYK, distance(colour, fromCYMK(toCYMK(colour))));
        worstHSV = std::max(worstHSV, distance(colour, toRGB(hsv)));
    }
    EXPECT_EQ(worstCMYK, 0);
    EXPECT_LE(worstHSV, 3);
}

}  // namespace
