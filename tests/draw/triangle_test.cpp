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
using draw::Unclipped;
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

TYPED_TEST(FormTriangles, MatchTheRowLoop) {
    OwnedImage image(40, 30), expected(40, 30);
    setClipRectangle(0, 0, 40, 30);
    test::TestRandom random(5);
    for (int round = 0; round < 500; ++round) {
        std::array<int64_t, 6> c;
        for (size_t i = 0; i < 6; ++i) c[i] = random.range(0, i % 2 ? 29 : 39);
        image.fill(0), expected.fill(0);
        draw::drawFilledTriangle<Unclipped<TypeParam>>(image, {c[0], c[1]}, {c[2], c[3]}, {c[4], c[5]}, kInk);
        test::referenceTriangle(c[0], c[1], c[2], c[3], c[4], c[5], [&](int64_t a, int64_t b, int64_t y) {
            test::referenceRun(a, b, y, test::clippedWriter<TypeParam>(expected, kInk));
        });
        ASSERT_EQ(test::compareImages(image, expected, "triangle"), "");
    }
}

// Clipped triangles keep to the form's run limit and skip rows far off the image.
TYPED_TEST(FormTriangles, ClippedTrianglesKeepToTheFormsLimit) {
    OwnedImage image(30, 20), expected(30, 20);
    setClipRectangle(5, 5, 20, 15);
    const auto put = test::clippedWriter<TypeParam>(expected, kInk);
    draw::drawFilledTriangle<Clipped<TypeParam>>(image, {-10, -8}, {40, 3}, {12, 30}, kInk);
    test::referenceTriangle(-10, -8, 40, 3, 12, 30, [&](int64_t a, int64_t b, int64_t y) { test::referenceRun(a, b, y, put); });
    EXPECT_EQ(test::compareImages(image, expected, "clipped_triangle"), "");
    EXPECT_EQ(image.at(2, 2) != 0, TypeParam::packed);

    // Corners two billion rows away: the rows in between are jumped, not walked.
    setClipRectangle(0, 0, 30, 20);
    image.fill(0), expected.fill(0);
    draw::drawFilledTriangle<Clipped<TypeParam>>(image, {-2000000000, -2000000000}, {2000000000, 10}, {5, 2000000000},
                                                 kInk);
    EXPECT_GT(pixelsSet(image).size(), 100u);
}

}  // namespace
}  // namespace zorblit
