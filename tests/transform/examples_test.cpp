// Worked examples of scaling, rotation and roto-zoom, in both forms where there
// are two, and roto-zoom against its closed form.
#include <cmath>
#include <limits>
#include <numbers>

#include "sprite_test_util.h"
#include "transform/rotate.h"
#include "transform/rotozoom.h"
#include "transform/scale.h"

namespace zorblit {
namespace {

using test::numberedImage;
using test::OwnedImage;
using V = std::vector<uint32_t>;

template <class Form>
class Transform : public ::testing::Test {};
TYPED_TEST_SUITE(Transform, test::Forms);

// Every pixel (x, y) of dest shows source pixel from(x, y), or 0 outside the source.
template <class From>
bool shows(const OwnedImage &dest, const OwnedImage &source, From from) {
    for (int64_t y = 0; y < dest.height(); ++y)
        for (int64_t x = 0; x < dest.width(); ++x) {
            const auto [u, v] = from(x, y);
            const bool inside = u >= 0 && v >= 0 && u < source.width() && v < source.height();
            if (dest.at(uint32_t(x), uint32_t(y)) != (inside ? source.at(uint32_t(u), uint32_t(v)) : 0u)) return false;
        }
    return true;
}

// Portable copy and colour key obey the clip rectangle, the blends only dest.
TEST(Scale, WhichPortableModesObeyTheClipRectangle) {
    for (SpriteMode mode : test::kAllModes) {
        OwnedImage dest(8, 8), sprite(2, 2);
        dest.fill(0x40404040), sprite.fill(0xFF808080), setClipRectangle(2, 2, 4, 4);
        test::withMode(mode, [&](auto m) { scale<Portable, m()>(dest, 0, 0, 8, 8, sprite, 200); });
        const bool clipped = mode == SpriteMode::Copy || mode == SpriteMode::ColourKey;
        const auto kept = [&](uint32_t x) { return dest.at(x, x) == 0x40404040u; };
        EXPECT_EQ(std::tuple(kept(0), kept(3), kept(7)), std::tuple(clipped, false, clipped)) << int(mode);
    }
}

TEST(Scale, PackedAlphaSkipsZeroAndBlendsAllFourBytesWithTheWidenedWeight) {
    const uint32_t d = 0x40102030;
    OwnedImage source(3, 1), dest(3, 1);  // alpha 0 skipped, 255 copied, 128 weighed 129 to 127
    source.at(0, 0) = 0x00FFFFFF, source.at(1, 0) = 0xFF123456, source.at(2, 0) = 0x80FF8000;
    dest.fill(d), scale<Packed, SpriteMode::Alpha>(dest, 0, 0, 3, 1, source);
    EXPECT_EQ(dest.pixels(), (V{d, 0xFF123456u, 0x60885017u}));  // each byte (s * 129 + d * 127) >> 8
    dest.fill(d), scale<Packed, SpriteMode::AlphaValue>(dest, 0, 0, 3, 1, source, 0);  // draws nothing
    EXPECT_EQ(dest.pixels(), V(3, d));
}

// Quarter turns are exact: dest at (15, 15) shows the source turned clockwise about
// its pixel (w / 2, h / 2), rounded down, last row and column included. An angle
// turns as its remainder modulo 360 (sign kept), also near the ends of the 32-bit range.
TYPED_TEST(Transform, QuarterTurns) {
    setClipRectangle(0, 0, 40, 40);
    for (auto [w, h] : {std::pair{4u, 2u}, {3u, 3u}, {5u, 4u}, {6u, 7u}, {1u, 9u}, {16u, 16u}})
        for (int32_t angle : {0, 90, 180, 270, -90, 360, 450, 720, INT32_MIN + 38, INT32_MAX - 37, -100000080}) {
            const OwnedImage source = numberedImage(w, h);
            OwnedImage dest(40, 40);
            rotate<TypeParam, SpriteMode::Copy>(dest, 15, 15, angle, source);
            const int64_t quarters = (angle % 360 / 90 + 4) % 4, cx = w / 2, cy = h / 2;
            const auto from = [&](int64_t x, int64_t y) {
                const int64_t a = x - 15 - cx, b = y - 15 - cy;  // from the centre
                const std::pair<int64_t, int64_t> turned[4] = {{a, b}, {b, -a}, {-a, -b}, {-b, a}};
                return std::pair{cx + turned[quarters].first, cy + turned[quarters].second};
            };
            ASSERT_TRUE(shows(dest, source, from)) << w << "x" << h << " at " << angle;
        }
}

// Destination pixel (x, y) shows the source at u = hw + offX + C (x - hw) - S (y - hh),
// v = hh + offY + S (x - hw) + C (y - hh) in 16.16, or 0 outside the source. Rows
// copy their inside span in 32-bit lanes for sources under 2^15 a side; wide
// sources take the 64-bit loop.
void expectClosedForm(const OwnedImage &dest, const OwnedImage &source, float angle, float zoom, bool repeat) {
    const int64_t S = std::llrint(double(zoom) * std::sin(double(angle)) * 65536);
    const int64_t C = std::llrint(double(zoom) * std::cos(double(angle)) * 65536);
    const int64_t part = repeat ? 32768 : 16384;
    const int64_t offX = (int64_t(source.width()) - dest.width()) * part;
    const int64_t offY = (int64_t(source.height()) - dest.height()) * part;
    const int64_t hw = dest.width() >> 1, hh = dest.height() >> 1;
    for (int64_t y = 0; y < dest.height(); ++y)
        for (int64_t x = 0; x < dest.width(); ++x) {
            const int64_t u = (hw << 16) + offX + C * (x - hw) - S * (y - hh);
            const int64_t v = (hh << 16) + offY + S * (x - hw) + C * (y - hh);
            const int64_t sx = u >> 16, sy = v >> 16;
            const bool inside = sx >= 0 && sy >= 0 && sx < source.width() && sy < source.height();
            ASSERT_EQ(dest.at(uint32_t(x), uint32_t(y)), inside ? source.at(uint32_t(sx), uint32_t(sy)) : 0u)
                << "at " << x << ", " << y << ": angle " << angle << " zoom " << zoom;
        }
}

TEST(RotoZoom, EveryPixelFollowsTheClosedForm) {
    test::TestRandom random(41);
    for (int round = 0; round < 300; ++round) {
        // Now and then a source too wide for the 32-bit lanes.
        const bool wide = round % 10 == 0;
        OwnedImage source(uint32_t(wide ? random.range(32760, 40000) : random.range(1, 90)),
                          uint32_t(random.range(1, wide ? 3 : 90)));
        OwnedImage dest(uint32_t(random.range(1, 80)), uint32_t(random.range(1, 80)));
        source.fillNoise(random.next()), dest.fillNoise(random.next());  // every pixel is written
        const float angle = float(random.range(-70000, 70000)) / 10000;
        const float zoom = round % 7 == 0 ? float(random.range(-3000, 3000)) : float(random.range(-40000, 40000)) / 10000;
        (round % 2 ? RotoZoomImage : RotoZoomImageNoRepeat)(dest, source, angle, zoom);
        ASSERT_NO_FATAL_FAILURE(expectClosedForm(dest, source, angle, zoom, round % 2)) << "round " << round;
    }
}

// The closed form is the code's own arithmetic; these pin its turning direction
// and its centring beyond 16-bit sizes. Steps that are not numbers fill with 0; a
// huge zoom is held at 2^31 source pixels per step, so only the centre shows the
// source, also on a 1 x 262147 destination, where 16.16 positions that wrapped in
// 64 bits would put source pixels on rows 1 and 262145 too.
TEST(RotoZoom, Examples) {
    constexpr float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const OwnedImage square = numberedImage(9, 9), source = numberedImage(6, 6), small = numberedImage(4, 4);
    OwnedImage turned(9, 9), wide(70000, 1), one(1, 1), dest(7, 5), tall(1, 262147);
    RotoZoomImage(turned, square, std::numbers::pi_v<float> / 2, 1);  // looks below the centre
    EXPECT_TRUE(shows(turned, square, [](int64_t x, int64_t y) { return std::pair{8 - y, x}; }));
    wide.at(34999, 0) = 0xCAFE;  // (70000 - 1) / 2 rounded down
    RotoZoomImage(one, wide, 0, 1);
    EXPECT_EQ(one.at(0, 0), 0xCAFEu);
    for (auto [angle, zoom] : {std::pair{0.f, nan}, {0.f, inf}, {1.f, -inf}, {nan, 1.f}, {inf, 1.f}}) {
        dest.fill(0x12345678), RotoZoomImageNoRepeat(dest, source, angle, zoom);
        EXPECT_EQ(dest.pixels(), V(35, 0)) << angle << " " << zoom;
    }
    RotoZoomImage(dest, source, 0, 1e30f), RotoZoomImage(tall, small, 0, 1e30f);  // centre row at 1.5
    const auto centre = [](int64_t x, int64_t y) { return std::pair<int64_t, int64_t>(x == 3 && y == 2 ? 2 : -1, 2); };
    EXPECT_TRUE(shows(dest, source, centre));
    for (uint32_t y = 0; y < tall.height(); ++y) ASSERT_EQ(tall.at(0, y), y == 131073 ? small.at(1, 1) : 0u) << y;
}

}  // namespace
}  // namespace zorblit
