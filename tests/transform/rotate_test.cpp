// Rotated sprites: quarter turns place every source pixel once, small examples,
// the limits of each form, and both walks against the walk over the whole box.
#include <map>

#include "transform/rotate.h"
#include "transform_test_util.h"

namespace zorblit {
namespace {

using test::numberedImage;
using test::OwnedImage;

template <class Form>
class Rotate : public ::testing::Test {
protected:
    void SetUp() override { setClipRectangle(0, 0, 1000, 1000); }
};
TYPED_TEST_SUITE(Rotate, test::Forms);

TYPED_TEST(Rotate, QuarterTurnsDrawEverySourcePixelOnce) {
    for (auto [w, h] : {std::pair{4u, 2u}, {3u, 3u}, {5u, 4u}, {6u, 7u}, {1u, 9u}, {16u, 16u}})
        for (int32_t angle : {90, 180, 270, -90, 450}) {
            const OwnedImage source = numberedImage(w, h);
            OwnedImage dest(40, 40);
            rotate<TypeParam, SpriteMode::Copy>(dest, 15, 15, angle, source);
            std::map<uint32_t, int> seen;
            for (uint32_t p : dest.pixels())
                if (p) ++seen[p];
            ASSERT_EQ(seen.size(), size_t(w) * h) << w << "x" << h << " at " << angle;
            for (auto [pixel, times] : seen) ASSERT_EQ(times, 1) << std::hex << pixel;
        }
}

TYPED_TEST(Rotate, QuarterTurnExamples) {
    // 4 x 2 at 90 degrees about (2, 1): box columns 1..3, rows -1..3.
    EXPECT_EQ(rotatedBox<TypeParam>(OwnedImage(4, 2), 90).minX, 1);
    EXPECT_EQ(rotatedBox<TypeParam>(OwnedImage(4, 2), 90).maxY, 3);
    const OwnedImage source = numberedImage(4, 2);
    OwnedImage dest(10, 10);
    rotate<TypeParam, SpriteMode::Copy>(dest, 4, 4, 90, source);
    EXPECT_EQ(dest.at(7, 3), source.at(0, 0));
    EXPECT_EQ(dest.at(7, 6), source.at(3, 0));
    EXPECT_EQ(dest.at(6, 3), source.at(0, 1));
    EXPECT_EQ(dest.at(6, 6), source.at(3, 1));

    // Whole turns copy the source to (x, y), last row and column included.
    for (int32_t angle : {0, 360, 720}) {
        OwnedImage copy(10, 10);
        rotate<TypeParam, SpriteMode::Copy>(copy, 4, 4, angle, source);
        for (uint32_t y = 0; y < 10; ++y)
            for (uint32_t x = 0; x < 10; ++x)
                ASSERT_EQ(copy.at(x, y), x >= 4 && x < 8 && y >= 4 && y < 6 ? source.at(x - 4, y - 4) : 0u);
    }

    // An odd size turns about its middle pixel.
    const OwnedImage square = numberedImage(3, 3);
    rotate<TypeParam, SpriteMode::Copy>(dest, 0, 0, 90, square);
    EXPECT_EQ(dest.at(1, 1), square.at(1, 1));
    EXPECT_EQ(dest.at(2, 0), square.at(0, 0));  // clockwise: top-left goes to top-right
}

TYPED_TEST(Rotate, LimitsOfEachForm) {
    const OwnedImage source = numberedImage(4, 4);
    OwnedImage dest(8, 8);
    setClipRectangle(0, 0, 2, 8);
    rotate<TypeParam, SpriteMode::Copy>(dest, 0, 0, 0, source);
    EXPECT_EQ(dest.at(3, 0) != 0, TypeParam::packed);  // the portable form obeys the clip rectangle
    EXPECT_EQ(dest.at(1, 0), source.at(1, 0));

    // The packed form skips alpha 0 in alpha mode but blends alpha-value 0.
    OwnedImage clear(2, 2), target(2, 2);
    clear.fill(0x00FFFFFF);
    target.fill(0x00808080);
    setClipRectangle(0, 0, 8, 8);
    rotate<TypeParam, SpriteMode::Alpha>(target, 0, 0, 0, clear);
    EXPECT_EQ(target.at(0, 0), TypeParam::packed ? 0x00808080u : 0xFF7F7F7Fu);
    rotate<TypeParam, SpriteMode::AlphaValue>(target, 0, 0, 0, clear, 0);
    EXPECT_EQ(target.at(0, 0), TypeParam::packed ? 0x007F7F7Fu : 0xFE7E7E7Eu);
}

// The walk over the whole bounding box, each position tested on its own.
template <class Form, SpriteMode Mode>
void rotatePerPixel(OwnedImage &dest, int32_t x, int32_t y, int32_t degrees, const OwnedImage &source,
                    uint32_t parameter) {
    const SpriteAction<Form, Mode> action{parameter};
    degrees = reducedAngle(degrees);
    const RotatedBox box = rotatedBox<Form>(source, degrees);
    const InverseTurn turn = inverseTurn<Form>(degrees);
    const float cx = float(source.width() >> 1), cy = float(source.height() >> 1);
    for (int64_t yy = box.minY; yy <= box.maxY; ++yy)
        for (int64_t xx = box.minX; xx <= box.maxX; ++xx) {
            const float fx = float(xx) - cx, fy = float(yy) - cy;
            const int64_t sx = std::llrint(sampleX<Form>(fx, fy, turn, cx));
            const int64_t sy = std::llrint(sampleY<Form>(fx, fy, turn, cy));
            const int64_t dx = x + xx, dy = y + yy;
            const bool inSource = sx >= 0 && sy >= 0 && sx < source.width() && sy < source.height();
            const bool inImage = dx >= 0 && dy >= 0 && dx < dest.width() && dy < dest.height();
            const bool inClip = dx >= clipX1 && dy >= clipY1 && dx < clipX2 && dy < clipY2;
            if (inSource && inImage && (Form::packed || inClip))
                action(source.at(uint32_t(sx), uint32_t(sy)), dest.at(uint32_t(dx), uint32_t(dy)));
        }
}

TYPED_TEST(Rotate, MatchesTheWalkOverTheWholeBox) {
    test::TestRandom random(11);
    for (int round = 0; round < 1500; ++round) {
        // Now and then sizes whose turned box spans several runs of the walk.
        const int64_t most = round % 8 == 1 ? 150 : 12;
        OwnedImage source(uint32_t(random.range(1, most)), uint32_t(random.range(1, most)));
        source.fillNoise(random.next());
        OwnedImage dest(uint32_t(random.range(1, most + 8)), uint32_t(random.range(1, most + 8)));
        dest.fillNoise(random.next());
        // Every fourth round draws the source onto itself, which must keep the walk's order.
        const bool ontoItself = round % 4 == 0;
        OwnedImage &target = ontoItself ? source : dest;
        OwnedImage expected = target;
        const auto position = [&] { return int32_t(random.range(-most - 8, most + 13)); };
        const int32_t x = position(), y = position(), angle = int32_t(random.range(-800, 800));
        setClipRectangle(position(), position(), position(), position());
        const SpriteMode mode = test::kAllModes[random.next() % 7];
        const uint32_t parameter = random.next() % 3 ? uint32_t(random.next() % 256) : source.at(0, 0);
        test::withMode(mode, [&](auto m) {
            constexpr SpriteMode M = m();
            rotate<TypeParam, M>(target, x, y, angle, source, parameter);
            rotatePerPixel<TypeParam, M>(expected, x, y, angle, ontoItself ? expected : source, parameter);
        });
        ASSERT_EQ(test::compareImages(target, expected, "rotate_walk"), "")
            << "round " << round << " at " << x << "," << y << " angle " << angle;
    }
}

TEST(RoundToNearest, AgreesWithTheLibraryRounding) {
    for (float f : {0.5f, 1.5f, 2.5f, -0.5f, -1.5f, -2.5f, 0x1p23f - 0.5f, 0x1p22f + 0.5f, -0x1p22f - 0.5f,
                    0x1p23f, 0x1p40f, -0x1p40f, 1e-30f, -0.0f, 0.49999997f})
        ASSERT_EQ(roundToNearest(f), std::llrint(f)) << f;
    test::TestRandom random(3);
    for (int i = 0; i < 200000; ++i) {
        const float f = std::ldexp(float(int64_t(random.next() % (1u << 25)) - (1 << 24)), int(random.next() % 16) - 10);
        ASSERT_EQ(roundToNearest(f), std::llrint(f)) << f;
    }
}

}  // namespace
}  // namespace zorblit
