// Rotation and roto-zoom at the far ends of their arguments: angles far beyond a
// turn, and zooms whose positions would leave 64 bits on tall destinations.
#include <gtest/gtest.h>

#include "test_images.h"
#include "transform/rotate.h"
#include "transform/rotozoom.h"

namespace zorblit {
namespace {

using test::OwnedImage;

template <class Form>
class FarAngles : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(FarAngles, Forms);

// An angle turns exactly as its remainder modulo 360 (sign kept), which
// -359..359 are already.
TYPED_TEST(FarAngles, TurnAsTheirRemainder) {
    setClipRectangle(0, 0, 1000, 1000);
    OwnedImage source(37, 23);
    source.fillNoise(5);
    for (const int32_t angle : {INT32_MIN, INT32_MAX, -100000000, 100000017, 721, -361, -719}) {
        OwnedImage far(80, 80), near(80, 80);
        rotate<TypeParam, SpriteMode::Copy>(far, 20, 25, angle, source);
        rotate<TypeParam, SpriteMode::Copy>(near, 20, 25, angle % 360, source);
        EXPECT_EQ(test::compareImages(far, near, std::to_string(angle)), "");
    }
    setClipRectangle(0, 0, 0, 0);
}

// Zoom 1e30 at angle 0 on a 1 x 262147 destination: the rows step 2^31 source
// pixels, held lower there, so only the centre row (131073, at source row 1.5)
// meets the source; 16.16 positions that wrapped in 64 bits put source pixels
// on rows 1 and 262145 too.
TEST(RotoZoom, HugeStepsOnTallDestinationsDoNotWrap) {
    OwnedImage source(4, 4), dest(1, 262147);
    for (uint32_t i = 0; i < 16; ++i) source.at(i % 4, i / 4) = 0xFF000000u | (i + 1);
    RotoZoomImage(dest, source, 0, 1e30f);
    for (uint32_t y = 0; y < dest.height(); ++y)
        ASSERT_EQ(dest.at(0, y), y == 131073 ? source.at(1, 1) : 0u) << "row " << y;
}

}  // namespace
}  // namespace zorblit
