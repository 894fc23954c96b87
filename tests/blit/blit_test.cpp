// Blits: the unclipped placement, what each form's modes do, which obey the clip
// rectangle, and a randomised sweep of the clipped walk against drawing one pixel
// at a time (placement included; the sanitizer build catches stray accesses).
#include "blit/blit.h"
#include "sprite_test_util.h"

namespace zorblit {
namespace {

using test::numberedImage;
using test::OwnedImage;

template <class Form>
class BlitForms : public ::testing::Test {
protected:
    void TearDown() override { setClipRectangle(0, 0, 0, 0); }
};
TYPED_TEST_SUITE(BlitForms, test::Forms);

TEST(Blit, UnclippedPlacementGetImageAndColourKey) {
    OwnedImage dest(8, 8), cut(3, 2), keyed(2, 1), key(2, 1);
    dest.fill(7);
    const OwnedImage sprite = numberedImage(2, 2), source = numberedImage(10, 10);
    putImage(dest, 3, 4, sprite);
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 8; ++x)
            EXPECT_EQ(dest.at(x, y), x - 3 < 2 && y - 4 < 2 ? sprite.at(x - 3, y - 4) : 7u) << x << "," << y;
    putSpriteAlpha(dest, 0, 0, OwnedImage(0, 3)), putImageClip(dest, 0, 0, OwnedImage(0, 3));
    EXPECT_EQ(dest.at(0, 0), 7u);

    getImage(cut, 4, 5, source);
    EXPECT_EQ(cut.pixels(), (std::vector<uint32_t>{0xFF005004, 0xFF005005, 0xFF005006, 0xFF006004, 0xFF006005, 0xFF006006}));

    keyed.fill(5), key.at(1, 0) = 0xFF000000;  // the key compares all 32 bits
    putSprite(keyed, 0, 0, key, 0xFF000000);
    EXPECT_EQ(keyed.pixels(), (std::vector<uint32_t>{0, 5}));
}

// Alpha 0, subtraction's alpha byte and alpha value 0 differ between the forms.
TYPED_TEST(BlitForms, AlphaAndSubtractDifferences) {
    using F = TypeParam;
    const auto drawn = [](SpriteMode mode, uint32_t source, uint32_t dest) {
        OwnedImage d(1, 1), s(1, 1);
        d.at(0, 0) = dest, s.at(0, 0) = source;
        test::withMode(mode, [&](auto m) { blit<F, m()>(d, 0, 0, s, 0); });
        return d.at(0, 0);
    };
    EXPECT_EQ(drawn(SpriteMode::Alpha, 0x00123456, 0x00FFFFFF), F::packed ? 0x00FFFFFFu : 0xFFFEFEFEu);
    EXPECT_EQ(drawn(SpriteMode::SaturatedSub, 0x00102030, 0x00302010), F::packed ? 0x00000020u : 0xFF000020u);
    EXPECT_EQ(drawn(SpriteMode::AlphaValue, 0x00102030, 0x11223344), F::packed ? 0x11223344u : 0x10213243u);
}

// The portable form draws every mode but copy through the clip rectangle.
TYPED_TEST(BlitForms, WhichModesObeyTheClipRectangle) {
    setClipRectangle(0, 0, 5, 5);
    for (SpriteMode mode : test::kAllModes) {
        OwnedImage dest(10, 10), sprite(10, 10);
        dest.fill(0x40404040), sprite.fill(0xFF808080);
        test::withMode(mode, [&](auto m) { blitClip<TypeParam, m()>(dest, 0, 0, sprite, 200); });
        EXPECT_NE(dest.at(4, 4), 0x40404040u) << int(mode);
        EXPECT_EQ(dest.at(9, 9) == 0x40404040u, !TypeParam::packed && mode != SpriteMode::Copy) << int(mode);
    }
}

TYPED_TEST(BlitForms, ClippedWalkMatchesOnePixelAtATime) {
    using Form = TypeParam;
    test::TestRandom random(Form::packed ? 2 : 1);
    for (int round = 0; round < 3000; ++round) {
        OwnedImage dest(uint32_t(random.range(0, 7)), uint32_t(random.range(0, 7)));
        OwnedImage sprite(uint32_t(random.range(0, 7)), uint32_t(random.range(0, 7)));
        dest.fillNoise(random.next()), sprite.fillNoise(random.next());
        const int32_t x = random.coordinate(dest.width()), y = random.coordinate(dest.height());
        if (round % 8)
            random.clipRectangleWithin(-2, 9);
        else
            setClipRectangle(random.coordinate(8), random.coordinate(8), random.coordinate(8), random.coordinate(8));
        const uint32_t parameter = random.biasedPixel();
        for (SpriteMode mode : test::kAllModes) {
            OwnedImage actual(dest), expected(dest);
            withSpriteAction<Form>(mode, parameter, [&](auto action) {
                blitClipWith(actual, x, y, sprite, action);
                for (uint32_t j = 0; j < sprite.height() && !action.drawsNothing(); ++j)
                    for (uint32_t i = 0; i < sprite.width(); ++i) {
                        const int64_t dx = int64_t(x) + i, dy = int64_t(y) + j;
                        const bool clipped = action.obeysClipRectangle && (dx < clipX1 || dy < clipY1 || dx >= clipX2 || dy >= clipY2);
                        if (dx >= 0 && dy >= 0 && dx < dest.width() && dy < dest.height() && !clipped)
                            action(sprite.at(i, j), expected.at(uint32_t(dx), uint32_t(dy)));
                    }
            });
            ASSERT_EQ(test::compareImages(actual, expected, "blit_sweep"), "")
                << Form::name << " mode " << int(mode) << " at " << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace zorblit
