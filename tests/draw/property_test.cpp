// Randomised sweeps of every clipped routine in both forms: any coordinates, any
// radius, small images down to 0 x 0 and clip rectangles that may reach beyond the
// image. Each result is compared with the plain reference wherever walking it is
// affordable; run under the sanitizer build they also show that nothing outside
// the image is touched.
#include <gtest/gtest.h>

#include <optional>

#include "draw/circle.h"
#include "draw/line.h"
#include "draw/triangle.h"
#include "draw_reference.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

constexpr uint32_t kInk = 0xFFC0FFEE;
constexpr int kRounds = 1000;
constexpr int64_t kAffordable = int64_t(1) << 15;  // longest walk the references take

template <class Form>
class ClippedSweep : public ::testing::Test {
protected:
    using Mode = draw::Clipped<Form>;

    // A new small image and clip rectangle; the image keeps a frame of noise.
    void next() {
        const uint32_t width = uint32_t(random.range(0, 12)), height = uint32_t(random.range(0, 12));
        actual.emplace(width, height);
        actual->fillNoise(random.next());
        expected.emplace(*actual);
        setClipRectangle(int32_t(random.range(-5, 17)), int32_t(random.range(-5, 17)), int32_t(random.range(-5, 17)),
                         int32_t(random.range(-5, 17)));
    }
    // Anywhere in 32 bits, a few million pixels off, or near the image.
    int32_t coordinate() {
        return random.next() % 3 ? random.coordinate(12) : int32_t(random.range(-(1 << 16), 1 << 16));
    }
    uint32_t radius() {
        switch (random.next() % 4) {
            case 0: return uint32_t(random.next());
            case 1: return uint32_t(random.range(0, 5000));
            default: return uint32_t(random.range(0, 20));
        }
    }
    // Writers for the reference: the form's pixel limit, and the image bounds.
    auto formPixel() { return test::clippedWriter<Form>(*expected, kInk); }
    auto imagePixel() { return test::clippedWriter<Packed>(*expected, kInk); }
    // A row through a writer, cut to the positions a small image can have.
    template <class Put>
    static void row(int64_t a, int64_t b, int64_t y, Put put) {
        for (int64_t x = std::max<int64_t>(std::min(a, b), -4); x <= std::min<int64_t>(std::max(a, b), 20); ++x)
            put(x, y);
    }
    std::string differences(const char *what) { return test::compareImages(*actual, *expected, what); }

    test::TestRandom random{2024};
    std::optional<OwnedImage> actual, expected;
};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(ClippedSweep, Forms);

TYPED_TEST(ClippedSweep, RunsBarsAndRectangles) {
    using C = typename TestFixture::Mode;
    for (int round = 0; round < kRounds; ++round) {
        this->next();
        const int32_t x1 = this->coordinate(), y1 = this->coordinate(), x2 = this->coordinate(), y2 = this->coordinate();
        switch (round % 4) {
            case 0:
                C::hline(*this->actual, x1, x2, y1, kInk);
                this->row(x1, x2, y1, this->formPixel());
                break;
            case 1:
                C::vline(*this->actual, y1, y2, x1, kInk);
                this->row(y1, y2, x1, [put = this->imagePixel()](int64_t y, int64_t x) { put(x, y); });
                break;
            case 2:
                C::bar(*this->actual, x1, y1, x2, y2, kInk);
                if (TypeParam::packed || y1 <= y2)
                    for (int64_t y = std::max<int64_t>(std::min(y1, y2), -4); y <= std::min<int64_t>(std::max(y1, y2), 20); ++y)
                        this->row(x1, x2, y, this->formPixel());
                break;
            case 3: {
                draw::outlineRectangle<C>(*this->actual, x1, y1, x2, y2, kInk);
                this->row(x1, x2, y1, this->formPixel());
                this->row(x1, x2, y2, this->formPixel());
                auto column = [put = this->imagePixel()](int64_t y, int64_t x) { put(x, y); };
                this->row(y1, y2, x1, column);
                this->row(y1, y2, x2, column);
                break;
            }
        }
        ASSERT_EQ(this->differences("sweep_runs"), "") << x1 << " " << y1 << " " << x2 << " " << y2;
    }
}

TYPED_TEST(ClippedSweep, Lines) {
    using C = typename TestFixture::Mode;
    for (int round = 0; round < kRounds; ++round) {
        this->next();
        const int64_t x1 = this->coordinate(), y1 = this->coordinate(), x2 = this->coordinate(), y2 = this->coordinate();
        draw::drawLine<C>(*this->actual, {x1, y1}, {x2, y2}, kInk);
        if (std::abs(x2 - x1) + std::abs(y2 - y1) > kAffordable) continue;
        test::referenceLine(x1, y1, x2, y2, this->formPixel());
        ASSERT_EQ(this->differences("sweep_line"), "") << x1 << " " << y1 << " " << x2 << " " << y2;
    }
}

TYPED_TEST(ClippedSweep, Circles) {
    using C = typename TestFixture::Mode;
    for (int round = 0; round < kRounds; ++round) {
        this->next();
        const int64_t cx = this->coordinate(), cy = this->coordinate(), radius = this->radius();
        const bool filled = round % 2;
        if (filled) draw::drawFilledCircle<C>(*this->actual, cx, cy, uint64_t(radius), kInk);
        else draw::drawCircle<C>(*this->actual, cx, cy, uint64_t(radius), kInk);
        if (radius > 5000) continue;
        const auto put = this->formPixel();
        test::referenceCircle(
            cx, cy, radius, [&](int64_t x, int64_t y) { if (!filled) put(x, y); },
            [&](int64_t a, int64_t b, int64_t y) { if (filled) this->row(a, b, y, put); });
        ASSERT_EQ(this->differences("sweep_circle"), "") << cx << " " << cy << " " << radius << " " << filled;
    }
}

TYPED_TEST(ClippedSweep, Triangles) {
    using C = typename TestFixture::Mode;
    for (int round = 0; round < kRounds; ++round) {
        this->next();
        int64_t c[6];
        for (auto &value : c) value = this->coordinate();
        draw::drawFilledTriangle<C>(*this->actual, {c[0], c[1]}, {c[2], c[3]}, {c[4], c[5]}, kInk);
        if (std::max({c[1], c[3], c[5]}) - std::min({c[1], c[3], c[5]}) > kAffordable) continue;
        test::referenceTriangle(c[0], c[1], c[2], c[3], c[4], c[5],
                                [&](int64_t a, int64_t b, int64_t y) { this->row(a, b, y, this->formPixel()); });
        ASSERT_EQ(this->differences("sweep_triangle"), "")
            << c[0] << " " << c[1] << " " << c[2] << " " << c[3] << " " << c[4] << " " << c[5];
    }
}

}  // namespace
}  // namespace zorblit
