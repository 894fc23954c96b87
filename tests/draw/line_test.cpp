// Stepped lines and the float walk that lets them skip what lies outside an image.
#include <gtest/gtest.h>

#include "draw/line.h"
#include "draw_reference.h"
#include "test_images.h"

namespace zorblit {
namespace {

using draw::Clipped;
using draw::FloatWalk;
using test::OwnedImage;
using test::Pixels;
using test::pixelsSet;

constexpr uint32_t kInk = 0xFFFFFFFF;

TEST(FloatWalk, JumpsLandWhereThePlainLoopDoes) {
    test::TestRandom random(7);
    const float steps[] = {0.5f, 0.25f, 0.75f, 1.0f / 3, 2.0f / 3, 0.1f, 1e-3f, 1e-7f, 0.999f};
    for (int round = 0; round < 1500; ++round) {
        // Starts around every magnitude up to 2^31, where steps stall or round unevenly.
        const int magnitude = int(random.range(0, 31));
        float start = float(random.range(-(int64_t(1) << magnitude), int64_t(1) << magnitude));
        if (random.next() % 4 == 0) start += 0.5f;
        float step = steps[random.next() % std::size(steps)];
        if (random.next() % 2) step = -step;
        const uint64_t count = uint64_t(random.range(0, 1 << (random.next() % 2 ? 18 : 8)));

        float plain = start;
        for (uint64_t i = 0; i < count; ++i) plain += step;
        FloatWalk walk(start, step);
        walk.skip(count);
        ASSERT_EQ(walk.value(), plain) << "start " << start << " step " << step << " count " << count;

        // Stopping at a threshold finds the first step that reaches it.
        const float threshold = float(start + step * float(random.range(0, int64_t(count) + 10)));
        auto reached = [&](float v) { return step > 0 ? v >= threshold : v <= threshold; };
        float plainStop = start;
        uint64_t plainTaken = 0;
        while (plainTaken < count && !reached(plainStop)) plainStop += step, ++plainTaken;
        FloatWalk stopping(start, step);
        const uint64_t taken = stopping.advanceUntil(count, reached);
        ASSERT_EQ(stopping.value(), plainStop) << start << " " << step << " " << threshold;
        ASSERT_EQ(taken, plainTaken);
    }
}

TEST(Lines, SinglePrecisionSteps) {
    OwnedImage image(8, 8);
    DrawLine(image, 0, 0, 2, 1, kInk);
    EXPECT_EQ(pixelsSet(image), (Pixels{{0, 0}, {1, 0}, {1, 1}, {2, 1}}));
    image.fill(0);
    DrawLine(image, 5, 5, 5, 5, kInk);
    EXPECT_EQ(pixelsSet(image), (Pixels{{5, 5}}));
    image.fill(0);
    DrawLine(image, 6, 1, 6, 3, kInk);
    DrawLine(image, 3, 7, 0, 7, kInk);
    EXPECT_EQ(pixelsSet(image), (Pixels{{6, 1}, {6, 2}, {6, 3}, {0, 7}, {1, 7}, {2, 7}, {3, 7}}));
}

template <class Form>
class FormLines : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(FormLines, Forms);

// A line from far away finds the image without walking the distance.
TYPED_TEST(FormLines, FarEndsAreJumped) {
    OwnedImage image(40, 30), expected(40, 30);
    // Millions of steps from the far end to the image are jumped, landing where the
    // plain loop does.
    setClipRectangle(0, 0, 40, 30);
    for (const auto &[x1, y1, x2, y2] : {std::tuple{-1500000, 10, 1500000, 12}, {20, 2000000, 21, -1000000}}) {
        image.fill(0), expected.fill(0);
        draw::drawLine<Clipped<TypeParam>>(image, {x1, y1}, {x2, y2}, kInk);
        test::referenceLine(x1, y1, x2, y2, test::clippedWriter<TypeParam>(expected, kInk));
        ASSERT_EQ(test::compareImages(image, expected, "far_line"), "");
        ASSERT_NE(pixelsSet(image).size(), 0u) << x1 << "," << y1;
    }
    // Beyond 2^24 a step of less than one no longer moves a coordinate: these lines
    // stall far from the image and draw nothing there, and finish at once.
    image.fill(0);
    draw::drawLine<Clipped<TypeParam>>(image, {INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, kInk);
    draw::drawLine<Clipped<TypeParam>>(image, {-2000000000, 10}, {2000000000, 12}, kInk);
    draw::drawLine<Clipped<TypeParam>>(image, {20, INT32_MAX}, {21, INT32_MIN}, kInk);
    EXPECT_EQ(pixelsSet(image), Pixels{});
}

// Drift of the single-precision walk on long lines never leaves the box of the ends.
TEST(Lines, LongLinesStayInTheBoxOfTheirEnds) {
    OwnedImage image(16, 16);
    setClipRectangle(0, 0, 16, 16);
    // Unclamped, the walk of this line rounds to (6, 12), one column beyond its end.
    draw::drawLine<Clipped<Portable>>(image, {-17056, 8}, {5, 12}, kInk);
    const Pixels drawn = pixelsSet(image);
    for (const auto &[x, y] : drawn) EXPECT_LE(x, 5) << x << "," << y;
    EXPECT_TRUE(drawn.count({5, 12}));
}

}  // namespace
}  // namespace zorblit
