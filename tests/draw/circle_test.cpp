// Circle outlines and filled circles: the ring shapes, the closed form against the
// stepping loop, and both forms' limits.
#include <gtest/gtest.h>

#include "draw/circle.h"
#include "draw_reference.h"
#include "test_images.h"

namespace zorblit {
namespace {

using draw::CircleProfile;
using draw::Clipped;
using test::OwnedImage;
using test::Pixels;
using test::pixelsSet;

constexpr uint32_t kInk = 0xFF00FF00;

// Pixels relative to the centre (8, 8) of a 17 x 17 image.
Pixels around(std::initializer_list<std::pair<int64_t, int64_t>> offsets) {
    Pixels set;
    for (const auto &[dx, dy] : offsets) set.insert({8 + dx, 8 + dy});
    return set;
}

Pixels outline(uint32_t radius) {
    OwnedImage image(17, 17);
    DrawCircle(image, 8, 8, radius, kInk);
    return pixelsSet(image);
}

TEST(Circles, SmallRings) {
    EXPECT_EQ(outline(0), around({{0, 0}}));
    EXPECT_EQ(outline(1), around({{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}));
    EXPECT_EQ(outline(2), around({{-1, -2}, {0, -2}, {1, -2}, {-2, -1}, {2, -1}, {-2, 0}, {2, 0}, {-2, 1}, {2, 1},
                                  {-1, 2}, {0, 2}, {1, 2}}));
    EXPECT_EQ(outline(3), around({{-1, -3}, {0, -3}, {1, -3}, {-2, -2}, {2, -2}, {-3, -1}, {3, -1}, {-3, 0}, {3, 0},
                                  {-3, 1}, {3, 1}, {-2, 2}, {2, 2}, {-1, 3}, {0, 3}, {1, 3}}));
    // The disc of radius 1 is the whole 3 x 3 square.
    OwnedImage image(17, 17);
    DrawFilledCircle(image, 8, 8, 1, kInk);
    EXPECT_EQ(pixelsSet(image), around({{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {0, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}));
}

// The closed form visits exactly the columns and rows of the loop.
TEST(CircleProfile, MatchesTheSteppingLoop) {
    // The whole loop, or its first `steps` columns for radii too large to walk.
    auto check = [](int64_t radius, int64_t steps = INT64_MAX) {
        const CircleProfile circle{uint64_t(radius)};
        int64_t x = 0, y = -radius, d = 1 - radius;
        for (; x <= -y && x < steps; ++x) {
            ASSERT_LE(x, circle.lastColumn()) << radius;
            ASSERT_EQ(circle.rowAt(x), -y) << radius << " at " << x;
            ASSERT_TRUE(circle.firstColumnOn(-y) <= x && x <= circle.lastColumnOn(-y)) << radius << " at " << x;
            if (d > 0) d += 2 * y + 2, ++y;
            d += 2 * x + 3;
        }
        ASSERT_TRUE(steps != INT64_MAX || circle.lastColumn() == x - 1) << radius;
    };
    for (int64_t radius = 0; radius <= 2000; ++radius) check(radius);
    test::TestRandom random(11);
    for (int round = 0; round < 10; ++round) check(random.range(2000, 1000000));
    check(INT32_MAX, 100000);
    check(UINT32_MAX, 100000);
}

template <class Form>
class FormCircles : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(FormCircles, Forms);

// A circle far larger than the image shows just its arc, without walking the rest.
TYPED_TEST(FormCircles, HugeRadiiDrawTheirArc) {
    OwnedImage image(30, 20), expected(30, 20);
    setClipRectangle(0, 0, 30, 20);
    const int64_t radius = 3000000;
    draw::drawCircle<Clipped<TypeParam>>(image, 10 - radius, 7, radius, kInk);
    test::referenceCircle(10 - radius, 7, radius, test::clippedWriter<TypeParam>(expected, kInk),
                          [](int64_t, int64_t, int64_t) {});
    EXPECT_EQ(test::compareImages(image, expected, "huge_circle"), "");
    EXPECT_EQ(image.at(10, 7), kInk);

    // A disc crossing the top edge leaves no stray pixels along it.
    image.fill(0);
    draw::drawFilledCircle<Clipped<TypeParam>>(image, 15, -30, 20, kInk);
    EXPECT_EQ(pixelsSet(image), Pixels{});

    draw::drawFilledCircle<Clipped<TypeParam>>(image, 0, 0, UINT32_MAX, kInk);
    draw::drawCircle<Clipped<TypeParam>>(image, INT32_MIN, INT32_MIN, UINT32_MAX, kInk);
    EXPECT_EQ(pixelsSet(image).size(), 600u);
}

}  // namespace
}  // namespace zorblit
