// Colour model conversions: the worked examples, HSV2RGB over every input (under
// the sanitizer build this also shows that no value outside 0..255 is converted
// to a byte), and round trips over every RGB colour (a stride in sanitizer builds
// keeps them quick).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "zorblit.h"

namespace {

using Triple = std::array<uint8_t, 3>;
using Quad = std::array<uint8_t, 4>;

Triple toHSV(Triple c) { Triple o; RGB2HSV(c[0], c[1], c[2], &o[0], &o[1], &o[2]); return o; }
Triple toRGB(Triple c) { Triple o; HSV2RGB(c[0], c[1], c[2], &o[0], &o[1], &o[2]); return o; }
Quad toCYMK(Triple c) { Quad o; RGB2CYMK(c[0], c[1], c[2], &o[0], &o[1], &o[2], &o[3]); return o; }
Triple fromCYMK(Quad q) { Triple o; CYMK2RGB(q[0], q[1], q[2], q[3], &o[0], &o[1], &o[2]); return o; }

#if defined(__SANITIZE_ADDRESS__)
constexpr int kStride = 7;
#else
constexpr int kStride = 1;
#endif

TEST(ColourModels, Examples) {
    // 212.5 rounds half to even; green and blue sharing the top: blue wins.
    for (const auto &[rgb, hsv] : {std::pair{Triple{255, 0, 0}, Triple{0, 255, 255}}, {{0, 255, 0}, {85, 255, 255}},
                                   {{0, 0, 255}, {170, 255, 255}}, {{255, 0, 255}, {212, 255, 255}},
                                   {{0, 255, 255}, {128, 255, 255}}, {{128, 128, 128}, {0, 0, 128}},
                                   {{255, 255, 255}, {0, 0, 255}}}) {
        EXPECT_EQ(toHSV(rgb), hsv);
        EXPECT_TRUE((hsv[0] != 0 && hsv[0] != 85) || toRGB(hsv) == rgb);
    }
    EXPECT_EQ(toRGB({250, 255, 255}), (Triple{255, 0, 30}));  // above 300 degrees

    Triple cym, back;
    RGB2CYM(10, 20, 30, &cym[0], &cym[1], &cym[2]), CYM2RGB(cym[0], cym[1], cym[2], &back[0], &back[1], &back[2]);
    EXPECT_TRUE(cym == (Triple{245, 225, 235}) && back == (Triple{10, 20, 30}));
    // Black is all key, white nothing; orange has no grey part and full yellow.
    for (const auto &[rgb, cymk] : {std::pair{Triple{0, 0, 0}, Quad{0, 0, 0, 255}}, {{255, 255, 255}, {0, 0, 0, 0}},
                                    {{255, 128, 0}, {0, 255, 127, 0}}, {{100, 50, 200}, {128, 0, 191, 55}}})
        EXPECT_TRUE(toCYMK(rgb) == cymk && fromCYMK(cymk) == rgb) << ::testing::PrintToString(rgb);
}

// CMYK keeps every colour exactly. HSV has only 256 hue steps for 1530 distinct
// RGB hues, so the way back can miss by a few levels on saturated colours; the
// measured worst case is 3. From HSV, the brightest component is v, and without
// saturation the colour is grey.
TEST(ColourModels, EveryColourRoundTripsAndEveryHsvKeepsItsBrightness) {
    int worstCMYK = 0, worstHSV = 0;
    const auto distance = [](const Triple &a, const Triple &b) {
        return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
    };
    for (int rgb = 0; rgb < (1 << 24); ++rgb) {
        // colour read as h, s, v
        const Triple colour{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)}, back = toRGB(colour);
        ASSERT_EQ(std::max({back[0], back[1], back[2]}), colour[2]) << rgb;
        ASSERT_TRUE(colour[1] != 0 || back == (Triple{colour[2], colour[2], colour[2]})) << rgb;
        if (rgb % kStride) continue;
        const Triple hsv = toHSV(colour);
        ASSERT_EQ(hsv[2], std::max({colour[0], colour[1], colour[2]}));
        worstCMYK = std::max(worstCMYK, distance(colour, fromCYMK(toCYMK(colour))));
        worstHSV = std::max(worstHSV, distance(colour, toRGB(hsv)));
    }
    EXPECT_EQ(worstCMYK, 0);
    EXPECT_LE(worstHSV, 3);
}

}  // namespace
