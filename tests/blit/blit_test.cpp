// Blits: placement examples, form differences, and a randomised sweep of the
// clipped walk against a one-pixel-at-a-time reference.
#include <gtest/gtest.h>

#include "blit/blit.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;
using test::TestRandom;

constexpr SpriteMode kModes[] = {SpriteMode::Copy,    SpriteMode::ColourKey,    SpriteMode::Alpha,
                                 SpriteMode::AlphaValue, SpriteMode::Average, SpriteMode::SaturatedAdd,
                                 SpriteMode::SaturatedSub};

// Source pixel (i, j) is 0x01000000 * (i + 1) + j, so every pixel says where it came from.
OwnedImage labelledSprite(uint32_t w, uint32_t h) {
    OwnedImage s(w, h);
    for (uint32_t j = 0; j < h; ++j)
        for (uint32_t i = 0; i < w; ++i) s.at(i, j) = 0x01000000u * (i + 1) + j;
    return s;
}

struct ClipGuard {
    ClipGuard(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { setClipRectangle(x1, y1, x2, y2); }
    ~ClipGuard() { setClipRectangle(0, 0, 0, 0); }
};

TEST(Blit, UnclippedTouchesOnlyTheSpriteRectangle) {
    OwnedImage dest(8, 8);
    dest.fill(7);
    const OwnedImage sprite = labelledSprite(2, 2);
    putImage(dest, 3, 4, sprite);
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 8; ++x) {
            const bool inside = x >= 3 && x < 5 && y >= 4 && y < 6;
            EXPECT_EQ(dest.at(x, y), inside ? sprite.at(x - 3, y - 4) : 7u) << x << "," << y;
        }
    const OwnedImage empty(0, 3);
    putSpriteAlpha(dest, 0, 0, empty);
    putImageClip(dest, 0, 0, empty);
    EXPECT_EQ(dest.at(0, 0), 7u);
}

TEST(Blit, ColourKeyComparesAllBits) {
    OwnedImage dest(2, 1), sprite(2, 1);
    dest.fill(5);
    sprite.at(0, 0) = 0x00000000;
    sprite.at(1, 0) = 0xFF000000;
    putSprite(dest, 0, 0, sprite, 0xFF000000);
    EXPECT_EQ(dest.at(0, 0), 0u);
    EXPECT_EQ(dest.at(1, 0), 5u);
}

template <class Form>
class BlitForms : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(BlitForms, Forms);

TYPED_TEST(BlitForms, AlphaAndSubtractDifferences) {
    using F = TypeParam;
    OwnedImage dest(1, 1), sprite(1, 1);
    dest.at(0, 0) = 0x00FFFFFF;
    sprite.at(0, 0) = 0x00123456;  // alpha 0
    blit<F, SpriteMode::Alpha>(dest, 0, 0, sprite);
    EXPECT_EQ(dest.at(0, 0), F::packed ? 0x00FFFFFFu : 0xFFFEFEFEu);

    dest.at(0, 0) = 0x00302010;
    sprite.at(0, 0) = 0x00102030;
    blit<F, SpriteMode::SaturatedSub>(dest, 0, 0, sprite);
    EXPECT_EQ(dest.at(0, 0), F::packed ? 0x00000020u : 0xFF000020u);

    dest.at(0, 0) = 0x11223344;
    blit<F, SpriteMode::AlphaValue>(dest, 0, 0, sprite, 0);
    EXPECT_EQ(dest.at(0, 0), F::packed ? 0x11223344u : F::alphaValue(0x00102030, 0x11223344, 0));
}

TYPED_TEST(BlitForms, ClippedPlacementExamples) {
    using F = TypeParam;
    const OwnedImage sprite = labelledSprite(4, 4);
    struct Case {
        int32_t x, y;
        uint32_t drawnColumns, drawnRows;
    } cases[] = {{-2, -2, 2, 2}, {8, 8, 2, 2}, {9, 0, 1, 4}, {-3, 0, 1, 4}, {8, 0, 2, 4}, {10, 0, 0, 0}, {-4, 0, 0, 0}};
    for (const Case &c : cases) {
        OwnedImage dest(10, 10);
        blitClip<F, SpriteMode::Copy>(dest, c.x, c.y, sprite);
        uint32_t drawn = 0;
        for (uint32_t y = 0; y < 10; ++y)
            for (uint32_t x = 0; x < 10; ++x)
                if (dest.at(x, y)) {
                    ++drawn;
                    EXPECT_EQ(dest.at(x, y), sprite.at(uint32_t(int32_t(x) - c.x), uint32_t(int32_t(y) - c.y)));
                }
        EXPECT_EQ(drawn, c.drawnColumns * c.drawnRows) << c.x << "," << c.y;
    }
    // A sprite larger than the destination covers it with its middle.
    OwnedImage dest(10, 10);
    const OwnedImage big = labelledSprite(30, 30);
    blitClip<F, SpriteMode::Copy>(dest, -5, -5, big);
    EXPECT_EQ(dest.at(0, 0), big.at(5, 5));
    EXPECT_EQ(dest.at(9, 9), big.at(14, 14));
}

TYPED_TEST(BlitForms, ClipRectangleLimitsBlendsOnlyInThePortableForm) {
    using F = TypeParam;
    ClipGuard clip(0, 0, 5, 5);
    OwnedImage key(10, 10), add(10, 10), copy(10, 10), sprite(10, 10);
    sprite.fill(0x01010101);
    blitClip<F, SpriteMode::ColourKey>(key, 0, 0, sprite, 0);
    blitClip<F, SpriteMode::SaturatedAdd>(add, 0, 0, sprite);
    blitClip<F, SpriteMode::Copy>(copy, 0, 0, sprite);
    EXPECT_NE(key.at(4, 4), 0u);
    EXPECT_EQ(key.at(5, 4) != 0, F::packed);
    EXPECT_EQ(add.at(9, 9) != 0, F::packed);
    EXPECT_NE(copy.at(9, 9), 0u);
}

TEST(Blit, GetImageCutsARectangle) {
    const OwnedImage source = labelledSprite(10, 10);
    OwnedImage target(3, 2);
    getImage(target, 4, 5, source);
    for (uint32_t j = 0; j < 2; ++j)
        for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(target.at(i, j), source.at(4 + i, 5 + j));
}

// The clipped walk equals drawing each source pixel on its own, for every mode
// and form, at any position and clip rectangle; ASan catches any stray access.
template <class Form>
void sweepClippedBlits(uint64_t seed) {
    TestRandom random(seed);
    for (int round = 0; round < 3000; ++round) {
        OwnedImage dest(uint32_t(random.range(0, 7)), uint32_t(random.range(0, 7)));
        OwnedImage sprite(uint32_t(random.range(0, 7)), uint32_t(random.range(0, 7)));
        dest.fillNoise(random.next());
        sprite.fillNoise(random.next());
        const int32_t x = random.coordinate(dest.width()), y = random.coordinate(dest.height());
        ClipGuard clip(random.coordinate(8), random.coordinate(8), random.coordinate(8), random.coordinate(8));
        const uint32_t parameter = random.biasedPixel();
        for (SpriteMode mode : kModes) {
            OwnedImage actual(dest), expected(dest);
            withSpriteAction<Form>(mode, parameter, [&](auto action) {
                blitClipWith(actual, x, y, sprite, action);
                if (action.drawsNothing()) return;
                for (uint32_t j = 0; j < sprite.height(); ++j)
                    for (uint32_t i = 0; i < sprite.width(); ++i) {
                        const int64_t dx = int64_t(x) + i, dy = int64_t(y) + j;
                        if (dx < 0 || dy < 0 || dx >= dest.width() || dy >= dest.height()) continue;
                        if (action.obeysClipRectangle &&
                            (dx < clipX1 || dy < clipY1 || dx >= clipX2 || dy >= clipY2))
                            continue;
                        action(sprite.at(i, j), expected.at(uint32_t(dx), uint32_t(dy)));
                    }
            });
            ASSERT_EQ(test::compareImages(actual, expected, "blit_sweep"), "")
                << Form::name << " mode " << int(mode) << " at " << x << "," << y;
        }
    }
}

TEST(BlitSweep, Portable) { sweepClippedBlits<Portable>(1); }
TEST(BlitSweep, Packed) { sweepClippedBlits<Packed>(2); }

}  // namespace
}  // namespace zorblit
