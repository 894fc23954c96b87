// Randomised sweeps of every clipped routine in both forms against the plain
// references: any coordinates, any radius, images down to 0 x 0 and clip
// rectangles that may reach beyond the image. Under the sanitizer build they also
// show that nothing outside the image is touched. Then the jumps that let far-off
// shapes skip to the image, against the plain loops they replace.
#include <functional>
#include <utility>

#include "draw/circle.h"
#include "draw/line.h"
#include "draw/triangle.h"
#include "draw_reference.h"
#include "forms.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;
using test::referenceRun;

constexpr uint32_t kInk = 0xFFC0FFEE;
constexpr int64_t kAffordable = int64_t(1) << 15;  // longest walk the references take

template <class Form>
class ClippedSweep : public ::testing::Test {
protected:
    using Mode = draw::Clipped<Form>;

    // 1000 rounds of draw(image, c) on a new image of up to 12 x 12 framed by noise,
    // with six coordinates c mostly near the image, else anywhere in 32 bits or up
    // to 2^16 off. draw also draws the reference through `form` (the form's limit) or
    // `boundsColumn` (given y, x; the image bounds), or returns false when it is too
    // long to walk.
    template <class Draw>
    void sweep(Draw draw) {
        for (int round = 0; round < 1000; ++round) {
            OwnedImage actual(uint32_t(random.range(0, 12)), uint32_t(random.range(0, 12)));
            actual.fillNoise(random.next());
            OwnedImage expected(actual);
            random.clipRectangleWithin(-5, 17);
            int64_t c[6];
            for (auto &v : c)
                v = random.next() % 4 ? random.range(-6, 18)
                    : random.next() % 2 ? random.coordinate(12) : random.range(-(1 << 16), 1 << 16);
            form = test::clippedWriter<Form>(expected, kInk);
            boundsColumn = [bounds = test::clippedWriter<Packed>(expected, kInk)](int64_t y, int64_t x) { bounds(x, y); };
            if (!draw(actual, c, round)) continue;
            ASSERT_EQ(test::compareImages(actual, expected, "sweep"), "")
                << "round " << round << ": " << ::testing::PrintToString(std::vector<int64_t>(c, c + 6));
        }
    }
    std::function<void(int64_t, int64_t)> form, boundsColumn;
    test::TestRandom random{2024};
};
TYPED_TEST_SUITE(ClippedSweep, test::Forms);

TYPED_TEST(ClippedSweep, RunsBarsAndRectangles) {
    using C = typename TestFixture::Mode;
    this->sweep([&](OwnedImage &image, const int64_t *c, int round) {
        const int32_t x1 = int32_t(c[0]), y1 = int32_t(c[1]), x2 = int32_t(c[2]), y2 = int32_t(c[3]);
        switch (round % 4) {
            case 0: C::hline(image, x1, x2, y1, kInk), referenceRun(x1, x2, y1, this->form); break;
            case 1: C::vline(image, y1, y2, x1, kInk), referenceRun(y1, y2, x1, this->boundsColumn); break;
            case 2:  // the portable form draws no rows given bottom first
                C::bar(image, x1, y1, x2, y2, kInk);
                if (TypeParam::packed || y1 <= y2)
                    referenceRun(y1, y2, 0, [&](int64_t y, int64_t) { referenceRun(x1, x2, y, this->form); });
                break;
            case 3:
                draw::outlineRectangle<C>(image, x1, y1, x2, y2, kInk);
                referenceRun(x1, x2, y1, this->form), referenceRun(x1, x2, y2, this->form);
                referenceRun(y1, y2, x1, this->boundsColumn), referenceRun(y1, y2, x2, this->boundsColumn);
        }
        return true;
    });
}

TYPED_TEST(ClippedSweep, Lines) {
    this->sweep([&](OwnedImage &image, const int64_t *c, int) {
        draw::drawLine<typename TestFixture::Mode>(image, {c[0], c[1]}, {c[2], c[3]}, kInk);
        if (std::abs(c[2] - c[0]) + std::abs(c[3] - c[1]) > kAffordable) return false;
        test::referenceLine(c[0], c[1], c[2], c[3], this->form);
        return true;
    });
}

TYPED_TEST(ClippedSweep, Circles) {
    using C = typename TestFixture::Mode;
    this->sweep([&](OwnedImage &image, const int64_t *c, int round) {
        const uint64_t r = this->random.next();  // any 32 bits, up to 5000, or small
        const uint64_t radius = r % 4 == 0 ? uint32_t(r >> 8) : (r >> 8) % (r % 4 == 1 ? 5001 : 21);
        const bool filled = round % 2;
        if (filled) draw::drawFilledCircle<C>(image, c[0], c[1], radius, kInk);
        else draw::drawCircle<C>(image, c[0], c[1], radius, kInk);
        if (radius > 5000) return false;
        test::referenceCircle(
            c[0], c[1], int64_t(radius), [&](int64_t x, int64_t y) { if (!filled) this->form(x, y); },
            [&](int64_t a, int64_t b, int64_t y) { if (filled) referenceRun(a, b, y, this->form); });
        return true;
    });
}

TYPED_TEST(ClippedSweep, Triangles) {
    this->sweep([&](OwnedImage &image, const int64_t *c, int) {
        draw::drawFilledTriangle<typename TestFixture::Mode>(image, {c[0], c[1]}, {c[2], c[3]}, {c[4], c[5]}, kInk);
        if (std::max({c[1], c[3], c[5]}) - std::min({c[1], c[3], c[5]}) > kAffordable) return false;
        test::referenceTriangle(c[0], c[1], c[2], c[3], c[4], c[5],
                                [&](int64_t a, int64_t b, int64_t y) { referenceRun(a, b, y, this->form); });
        return true;
    });
}

// Long lines cross many binades of their coordinates, so the plotting runs are
// long and begin and end on every kind of boundary: window edges, end points,
// stalls of the slow coordinate.
TYPED_TEST(ClippedSweep, LongLinesMatchThePlainWalk) {
    using C = typename TestFixture::Mode;
    OwnedImage image(700, 500), expected(700, 500);
    setClipRectangle(-3, 20, 690, 600);
    const auto put = test::clippedWriter<TypeParam>(expected, kInk);
    for (int round = 0; round < 300; ++round) {
        int64_t c[4];
        for (int i = 0; i < 4; ++i) c[i] = this->random.range(-400, (i % 2 ? 500 : 700) + 400);
        if (round % 10 == 0) c[0] = this->random.range(-30000, 30000);
        draw::drawLine<C>(image, {c[0], c[1]}, {c[2], c[3]}, kInk);
        test::referenceLine(c[0], c[1], c[2], c[3], put);
    }
    EXPECT_EQ(test::compareImages(image, expected, "long_lines"), "");
}

TYPED_TEST(ClippedSweep, FarShapesJumpToTheImage) {
    using C = typename TestFixture::Mode;
    OwnedImage image(40, 30), expected(40, 30);
    setClipRectangle(0, 0, 40, 30);
    // Millions of steps to the image are jumped, landing where the plain loops do.
    const auto put = test::clippedWriter<TypeParam>(expected, kInk);
    draw::drawLine<C>(image, {-1500000, 10}, {1500000, 12}, kInk), test::referenceLine(-1500000, 10, 1500000, 12, put);
    draw::drawLine<C>(image, {20, 2000000}, {21, -1000000}, kInk), test::referenceLine(20, 2000000, 21, -1000000, put);
    draw::drawCircle<C>(image, 10 - 3000000, 7, 3000000, kInk);
    test::referenceCircle(10 - 3000000, 7, 3000000, put, [](int64_t, int64_t, int64_t) {});
    EXPECT_EQ(test::compareImages(image, expected, "far_shapes"), "");
    EXPECT_GT(test::inked(image), 90u);

    // Beyond 2^24 a step of less than one no longer moves a coordinate: these lines
    // stall far from the image, draw nothing there and finish at once.
    image.fill(0);
    draw::drawLine<C>(image, {INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, kInk);
    draw::drawLine<C>(image, {-2000000000, 10}, {2000000000, 12}, kInk);
    draw::drawLine<C>(image, {20, INT32_MAX}, {21, INT32_MIN}, kInk);
    draw::drawFilledCircle<C>(image, 15, -30, 20, kInk);  // wholly above: no stray row along the top edge
    EXPECT_EQ(test::inked(image), 0u);
    draw::drawFilledTriangle<C>(image, {-2000000000, -2000000000}, {2000000000, 10}, {5, 2000000000}, kInk);
    EXPECT_GT(test::inked(image), 100u);
    draw::drawFilledCircle<C>(image, 0, 0, UINT32_MAX, kInk);
    draw::drawCircle<C>(image, INT32_MIN, INT32_MIN, UINT32_MAX, kInk);
    EXPECT_EQ(test::inked(image), 1200u);
}

}  // namespace
}  // namespace zorblit
