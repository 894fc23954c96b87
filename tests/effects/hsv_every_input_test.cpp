// HSV2RGB over all 2^24 inputs: under the sanitizer build this also shows that
// no value outside 0..255 is converted to a byte, used or not.
#include <gtest/gtest.h>

#include <algorithm>

#include "zorblit.h"

namespace {

// The brightest component is v; without saturation the colour is grey.
TEST(ColourModels, EveryHsvInputGivesItsBrightnessAndNothingOutOfRange) {
    for (uint32_t hsv = 0; hsv < (1u << 24); ++hsv) {
        const uint8_t h = uint8_t(hsv >> 16), s = uint8_t(hsv >> 8), v = uint8_t(hsv);
        uint8_t r, g, b;
        HSV2RGB(h, s, v, &r, &g, &b);
        ASSERT_EQ(std::max({r, g, b}), v) << int(h) << " " << int(s) << " " << int(v);
        ASSERT_TRUE(s != 0 || (r == v && g == v && b == v));
    }
}

}  // namespace
