// Filled triangles: the worked examples, corner order, both forms' limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "draw/triangle.h"
#include "draw_reference.h"
#include "test_images.h"

namespace zorblit {
namespace {

using draw::Clipped;
using test::OwnedImage;
using test::Pixels;
using test::pixelsSet;

constexpr uint32_t kInk = 0xFFFF8000;

TEST(Triangles, RightAngleInEveryCornerOrder) {
    const Pixels expected{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {0, 3}};
    std::array<std::pair<uint32_t, uint32_t>, 3> corners{{{0, 0}, {4, 0}, {0, 4}}};
    std::sort(corners.begin(), corners.end());
    do {
        OwnedImage image(6, 6);
        DrawFilledTriangle(image, corners[0].first, corners[0].second, corners[1].first, corners[1].second,
                           corners[2].first, corners[2].second, kInk);
        EXPECT_EQ(pixelsSet(image), expected);
    } while (std::next_permutation(corners.begin(), corners.end()));
}

TEST(Triangles, OneRowDrawsNothing) {
    OwnedImage image(10, 3);
    DrawFilledTriangle(image, 0, 0, 5, 0, 9, 0, kInk);
    DrawFilledTriangleClip(image, 0, 1, 9, 1, 4, 1, kInk);
    EXPECT_EQ(pixelsSet(image), Pixels{});
}

template <class Form>
class FormTriangles : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(FormTriangles, Forms);

// Rows far off the image are skipped, not walked.
TYPED_TEST(FormTriangles, FarCornersAreJumped) {
    // Corners two billion rows away: the rows in between are jumped, not walked.
    OwnedImage image(30, 20);
    setClipRectangle(0, 0, 30, 20);
    draw::drawFilledTriangle<Clipped<TypeParam>>(image, {-2000000000, -2000000000}, {2000000000, 10}, {5, 2000000000},
                                                 kInk);
    EXPECT_GT(pixelsSet(image).size(), 100u);
}

}  // namespace
}  // namespace zorblit
