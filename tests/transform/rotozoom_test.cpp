// Roto-zoom: identity, centring of the two routines, zoom 2, 0 and negative,
// a quarter turn, sizes beyond 16 bits, and steps that are not numbers.
#include <cmath>
#include <limits>
#include <numbers>

#include "transform/rotozoom.h"
#include "transform_test_util.h"

namespace zorblit {
namespace {

using test::numberedImage;
using test::OwnedImage;

using RotoZoomRoutine = void (*)(GFXimage, GFXimage, float, float);

TEST(RotoZoom, IdentityCopiesTheSource) {
    const OwnedImage source = numberedImage(13, 8);
    for (RotoZoomRoutine routine : {RotoZoomImage, RotoZoomImageNoRepeat}) {
        OwnedImage dest(13, 8);
        dest.fill(0x12345678);
        routine(dest, source, 0, 1);
        EXPECT_EQ(dest.pixels(), source.pixels());
    }
}

// Where a 50 x 50 source lands in a 100 x 100 destination at angle 0, zoom 1.
void expectShownAt(RotoZoomRoutine routine, uint32_t first) {
    const OwnedImage source = numberedImage(50, 50);
    OwnedImage dest(100, 100);
    dest.fill(0x12345678);
    routine(dest, source, 0, 1);
    for (uint32_t y = 0; y < 100; ++y)
        for (uint32_t x = 0; x < 100; ++x) {
            const bool inside = x >= first && x < first + 50 && y >= first && y < first + 50;
            ASSERT_EQ(dest.at(x, y), inside ? source.at(x - first, y - first) : 0u) << x << "," << y;
        }
}

TEST(RotoZoom, CentringByHalfOrQuarterTheSizeDifference) {
    expectShownAt(RotoZoomImage, 25);
    expectShownAt(RotoZoomImageNoRepeat, 13);
}

TEST(RotoZoom, ZoomTwoZeroAndNegative) {
    const OwnedImage source = numberedImage(20, 10);
    OwnedImage dest(20, 10);
    const auto shown = [&](uint32_t x, uint32_t y, int64_t sx, int64_t sy) {
        const bool inside = sx >= 0 && sy >= 0 && sx < 20 && sy < 10;
        return dest.at(x, y) == (inside ? source.at(uint32_t(sx), uint32_t(sy)) : 0u);
    };
    RotoZoomImage(dest, source, 0, 2);  // every second pixel about the centre (10, 5)
    for (uint32_t y = 0; y < 10; ++y)
        for (uint32_t x = 0; x < 20; ++x) ASSERT_TRUE(shown(x, y, 10 + 2 * (int64_t(x) - 10), 5 + 2 * (int64_t(y) - 5)));
    EXPECT_EQ(dest.at(10, 5), source.at(10, 5));
    EXPECT_EQ(dest.at(0, 0), 0u);

    RotoZoomImage(dest, source, 1.234f, 0);  // the one centre pixel everywhere
    EXPECT_EQ(dest.pixels(), std::vector<uint32_t>(200, source.at(10, 5)));

    RotoZoomImage(dest, source, 0, -1);  // half a turn about the centre
    for (uint32_t y = 0; y < 10; ++y)
        for (uint32_t x = 0; x < 20; ++x) ASSERT_TRUE(shown(x, y, 20 - int64_t(x), 10 - int64_t(y)));
}

TEST(RotoZoom, QuarterTurnLooksBelowTheCentre) {
    const OwnedImage source = numberedImage(9, 9);
    OwnedImage dest(9, 9);
    RotoZoomImage(dest, source, std::numbers::pi_v<float> / 2, 1);
    EXPECT_EQ(dest.at(5, 4), source.at(4, 5));
    EXPECT_EQ(dest.at(4, 4), source.at(4, 4));
}

TEST(RotoZoom, CentringWorksBeyondSixteenBitSizes) {
    OwnedImage source(70000, 1), dest(1, 1);
    source.at(34999, 0) = 0xCAFE;  // (70000 - 1) / 2 rounded down
    RotoZoomImage(dest, source, 0, 1);
    EXPECT_EQ(dest.at(0, 0), 0xCAFEu);
}

TEST(RotoZoom, StepsThatAreNotNumbersFillWithZero) {
    constexpr float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const OwnedImage source = numberedImage(6, 6);
    OwnedImage dest(7, 5);
    for (auto [angle, zoom] : {std::pair{0.f, nan}, {0.f, inf}, {1.f, -inf}, {nan, 1.f}, {inf, 1.f}}) {
        dest.fill(0x12345678);
        RotoZoomImageNoRepeat(dest, source, angle, zoom);
        EXPECT_EQ(dest.pixels(), std::vector<uint32_t>(35, 0)) << angle << " " << zoom;
    }
    EXPECT_FALSE(zoomSteps(0, nan));
    // A finite but huge zoom is held at 2^31 source pixels per step: only the
    // centre shows the source.
    EXPECT_EQ(zoomSteps(0, 1e30f)->cosine, int64_t(1) << 47);
    RotoZoomImage(dest, source, 0, 1e30f);
    EXPECT_EQ(dest.at(3, 2), source.at(2, 2));
    EXPECT_EQ(dest.at(4, 2), 0u);
}

}  // namespace
}  // namespace zorblit
