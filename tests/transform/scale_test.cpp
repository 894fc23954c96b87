// Scaled sprites: the sampling and rectangle rules of both forms, the packed
// alpha blend, and the fast walk against the walk written out per pixel.
#include <cmath>

#include "transform/scale.h"
#include "transform_test_util.h"

namespace zorblit {
namespace {

using test::numberedImage;
using test::OwnedImage;

template <class Form>
class Scale : public ::testing::Test {
protected:
    void SetUp() override { setClipRectangle(0, 0, 1000, 1000); }
};
TYPED_TEST_SUITE(Scale, test::Forms);

// Source columns sampled along the top row of a source-wide, 1-high scale.
template <class Form>
std::vector<uint32_t> sampledColumns(uint32_t sourceWidth, int32_t width) {
    const OwnedImage source = numberedImage(sourceWidth, 1);
    OwnedImage dest(uint32_t(width), 1);
    scale<Form, SpriteMode::Copy>(dest, 0, 0, width, 1, source);
    std::vector<uint32_t> columns;
    for (uint32_t x = 0; x < dest.width(); ++x) columns.push_back(dest.at(x, 0) & 0xFFF);
    return columns;
}

TYPED_TEST(Scale, SamplesTruncatedWhenPackedAndRoundedWhenPortable) {
    using V = std::vector<uint32_t>;
    // Scaling 4 up to 8: the portable form's eighth sample rounds to 4 and is
    // held at the last column.
    EXPECT_EQ(sampledColumns<TypeParam>(4, 8), (TypeParam::packed ? V{0, 0, 1, 1, 2, 2, 3, 3} : V{0, 0, 1, 2, 2, 2, 3, 3}));
    EXPECT_EQ(sampledColumns<TypeParam>(10, 3), (TypeParam::packed ? V{0, 3, 6} : V{0, 3, 7}));
    EXPECT_EQ(sampledColumns<TypeParam>(5, 5), (V{0, 1, 2, 3, 4}));

    // Rows follow the same rule, and scaling up by 2x and more never reads past
    // the source's last row or column.
    const OwnedImage source = numberedImage(4, 4);
    OwnedImage dest(8, 8);
    scale<TypeParam, SpriteMode::Copy>(dest, 0, 0, 8, 8, source);
    EXPECT_EQ(dest.at(7, 7), source.at(3, 3));
}

TYPED_TEST(Scale, CornersInAnyOrderAndSameSizeIsOneToOne) {
    const OwnedImage source = numberedImage(7, 5);
    OwnedImage a(40, 40), b(40, 40), c(40, 40);
    scale<TypeParam, SpriteMode::Copy>(a, 10, 20, 30, 40, source);
    scale<TypeParam, SpriteMode::Copy>(b, 30, 40, 10, 20, source);
    EXPECT_EQ(test::compareImages(a, b, "scale_corners"), "");

    scale<TypeParam, SpriteMode::Copy>(c, 3, 4, 10, 9, source);
    for (uint32_t y = 0; y < 5; ++y)
        for (uint32_t x = 0; x < 7; ++x) ASSERT_EQ(c.at(x + 3, y + 4), source.at(x, y));
}

TEST(ScalePacked, ZeroCornerAndZeroExtentKeepTheSourceSize) {
    const OwnedImage source = numberedImage(4, 3);
    OwnedImage dest(10, 10);
    scale<Packed, SpriteMode::Copy>(dest, -1, -2, 0, 0, source);  // unscaled, hanging over the corner
    EXPECT_EQ(dest.at(0, 0), source.at(1, 2));
    EXPECT_EQ(dest.at(2, 0), source.at(3, 2));
    EXPECT_EQ(dest.at(3, 0), 0u);

    OwnedImage tall(10, 10);
    scale<Packed, SpriteMode::Copy>(tall, 2, 0, 2, 6, source);  // width kept, height doubled
    EXPECT_EQ(tall.at(5, 5), source.at(3, 2));
    EXPECT_EQ(tall.at(6, 0), 0u);
    EXPECT_EQ(tall.at(2, 6), 0u);
}

TEST(ScalePortable, ZeroExtentCopiesTheBlockCutToTheDestination) {
    const OwnedImage source = numberedImage(6, 6);
    OwnedImage dest(5, 3);
    scale<Portable, SpriteMode::Copy>(dest, 4, 0, 4, 9, source);
    for (uint32_t i = 0; i < 15; ++i) ASSERT_EQ(dest.get().data[i], source.get().data[i]);

    OwnedImage untouched(10, 10);
    scale<Portable, SpriteMode::Average>(untouched, 0, 3, 8, 3, source);
    scale<Portable, SpriteMode::Copy>(untouched, 0, 0, 0, 0, OwnedImage(0, 4));
    EXPECT_EQ(untouched.pixels(), std::vector<uint32_t>(100, 0));
}

TEST(ScalePortable, CopyAndColourKeyObeyTheClipRectangleBlendsDoNot) {
    const OwnedImage source = numberedImage(2, 2);
    for (SpriteMode mode : {SpriteMode::Copy, SpriteMode::ColourKey, SpriteMode::SaturatedAdd}) {
        OwnedImage dest(8, 8);
        setClipRectangle(2, 2, 4, 4);
        test::withMode(mode, [&](auto m) { scale<Portable, m()>(dest, 0, 0, 8, 8, source, 1); });
        const bool clipped = mode != SpriteMode::SaturatedAdd;
        EXPECT_EQ(dest.at(0, 0) != 0, !clipped);
        EXPECT_NE(dest.at(3, 3), 0u);
        EXPECT_EQ(dest.at(7, 7) != 0, !clipped);
    }
}

TEST(ScalePacked, AlphaModesBlendAllFourBytesWithTheWidenedWeight) {
    const uint32_t d = 0x40102030;
    OwnedImage source(3, 1), dest(3, 1);
    source.at(0, 0) = 0x00FFFFFF;  // alpha 0: skipped
    source.at(1, 0) = 0xFF123456;  // alpha 255: copied
    source.at(2, 0) = 0x80FF8000;  // alpha 128: weights 129 and 127
    dest.fill(d);
    scale<Packed, SpriteMode::Alpha>(dest, 0, 0, 3, 1, source);
    const auto blend = [](uint32_t s, uint32_t t, uint32_t w) {
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8)
            out |= (((s >> shift & 0xFF) * w + (t >> shift & 0xFF) * (256 - w)) >> 8) << shift;
        return out;
    };
    EXPECT_EQ(dest.at(0, 0), d);
    EXPECT_EQ(dest.at(1, 0), 0xFF123456u);
    EXPECT_EQ(dest.at(2, 0), blend(0x80FF8000, d, 129));

    dest.fill(d);
    scale<Packed, SpriteMode::AlphaValue>(dest, 0, 0, 3, 1, source, 0);
    EXPECT_EQ(dest.pixels(), std::vector<uint32_t>(3, d));
    scale<Packed, SpriteMode::AlphaValue>(dest, 0, 0, 3, 1, source, 255);
    EXPECT_EQ(dest.pixels(), source.pixels());
    for (uint32_t k = 0; k < 256; ++k)
        ASSERT_EQ(scaledAlphaBlend(0x80FF7F01, 0x017F80FE, k), blend(0x80FF7F01, 0x017F80FE, k + (k >> 7)));
}

// The walk as described: every destination pixel of the rectangle, samples by
// repeated float addition, each position tested against the limit.
template <class Form, SpriteMode Mode>
void scalePerPixel(OwnedImage &dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const OwnedImage &source,
                   uint32_t parameter) {
    using Action = ScaleAction<Form, Mode>;
    const Action action{{parameter}};
    const ScaleRectangle rect = scaleRectangle<Form>(x1, y1, x2, y2, source);
    if (action.drawsNothing()) return;
    if (rect.width == 0 || rect.height == 0) {
        const size_t count = std::min(pixelCount(source), pixelCount(dest));
        if (Mode == SpriteMode::Copy) std::copy_n(source.get().data, count, dest.get().data);
        return;
    }
    const float stepX = scaleStep<Form>(source.width(), rect.width);
    const float stepY = scaleStep<Form>(source.height(), rect.height);
    const auto sample = [](float f, uint32_t size) {
        const int64_t i = Form::packed ? int64_t(std::trunc(f)) : std::llrint(f);
        return uint32_t(std::min<int64_t>(i, size - 1));
    };
    float fy = 0;
    for (int64_t r = 0; r < rect.height; ++r, fy += stepY) {
        float fx = 0;
        for (int64_t c = 0; c < rect.width; ++c, fx += stepX) {
            const int64_t x = rect.left + c, y = rect.top + r;
            const bool inImage = x >= 0 && y >= 0 && x < dest.width() && y < dest.height();
            const bool inClip = x >= clipX1 && y >= clipY1 && x < clipX2 && y < clipY2;
            if (inImage && (inClip || !Action::obeysClipRectangle))
                action(source.at(sample(fx, source.width()), sample(fy, source.height())),
                       dest.at(uint32_t(x), uint32_t(y)));
        }
    }
}

TYPED_TEST(Scale, MatchesThePerPixelWalk) {
    test::TestRandom random(7);
    for (int round = 0; round < 1500; ++round) {
        OwnedImage source(uint32_t(random.range(1, 12)), uint32_t(random.range(1, 12)));
        source.fillNoise(random.next());
        OwnedImage dest(uint32_t(random.range(1, 20)), uint32_t(random.range(1, 20)));
        dest.fillNoise(random.next());
        // Every fourth round draws the source onto itself, which must keep the walk's order.
        const bool ontoItself = round % 4 == 0;
        OwnedImage &target = ontoItself ? source : dest;
        OwnedImage expected = target;
        const auto corner = [&] { return int32_t(random.range(-30, 40)); };
        const int32_t x1 = corner(), y1 = corner(), x2 = corner(), y2 = corner();
        setClipRectangle(corner(), corner(), corner(), corner());
        const SpriteMode mode = test::kAllModes[random.next() % 7];
        const uint32_t parameter = random.next() % 3 ? uint32_t(random.next() % 256) : source.at(0, 0);
        test::withMode(mode, [&](auto m) {
            constexpr SpriteMode M = m();
            scale<TypeParam, M>(target, x1, y1, x2, y2, source, parameter);
            scalePerPixel<TypeParam, M>(expected, x1, y1, x2, y2, ontoItself ? expected : source, parameter);
        });
        ASSERT_EQ(test::compareImages(target, expected, "scale_walk"), "")
            << "round " << round << " rectangle " << x1 << "," << y1 << "," << x2 << "," << y2;
    }
}

}  // namespace
}  // namespace zorblit
