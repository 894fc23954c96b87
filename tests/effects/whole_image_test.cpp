// Whole-image effects: blur, inversion, the combinations, AlphaImage and fades.
#include "effects/blur.h"
#include "effects/combine.h"
#include "forms.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

template <class Form>
class WholeImage : public ::testing::Test {};
TYPED_TEST_SUITE(WholeImage, test::Forms);

// The four-neighbour rule one byte at a time: left is the pixel just written.
void referenceFourNeighbours(OwnedImage &image) {
    const size_t w = image.width(), h = image.height();
    uint32_t *p = image.get().data, left = 0;
    for (size_t i = w; h >= 3 && i < w * (h - 1); ++i) {
        uint32_t out = 0;
        for (int s = 0; s < 32; s += 8)
            out |= ((left >> s & 0xFF) + (p[i + 1] >> s & 0xFF) + (p[i - w] >> s & 0xFF) + (p[i + w] >> s & 0xFF)) >> 2
                   << s;
        p[i] = left = out;
    }
}

// Packed: the reference above, outer rows kept. Portable: short images and all
// four borders kept.
TYPED_TEST(WholeImage, BlurFollowsItsRuleAndKeepsBorders) {
    for (auto [w, h] : {std::pair{0u, 4u}, {4u, 0u}, {5u, 1u}, {5u, 2u}, {2u, 5u}, {1u, 3u}, {5u, 4u}, {17u, 9u}}) {
        OwnedImage image(w, h);
        image.fillNoise(w * h + 1);
        OwnedImage expected(image);
        if (TypeParam::packed) referenceFourNeighbours(expected);
        blurImage<TypeParam>(image);
        for (uint32_t y = 1; !TypeParam::packed && y + 1 < h; ++y)
            for (uint32_t x = 1; x + 1 < w; ++x) expected.at(x, y) = image.at(x, y);
        EXPECT_EQ(test::compareImages(image, expected, "blur"), "") << w << "x" << h;
    }
}

// The portable box: a ninth of each byte; the second pixel sees the first one
// already blurred.
TEST(Blur, PortableBoxExample) {
    OwnedImage row(4, 3);
    row.at(1, 1) = 0x90909090, blurBox3x3(row);
    EXPECT_EQ(std::pair(row.at(1, 1), row.at(2, 1)), std::pair(0x10101010u, 0x01010101u));
}

// Every pixel of odd-sized images (the packed run ends in a tail) follows the
// form's own operator, also when dest is one of the sources.
TYPED_TEST(WholeImage, CombinationsFollowTheFormOperators) {
    using F = TypeParam;
    for (uint32_t width : {1u, 3u, 7u}) {
        OwnedImage a(width, 3), b(width, 3);
        a.fillNoise(width), b.fillNoise(width + 100);
        const auto check = [&](auto combine, auto op, const char *name) {
            OwnedImage dest(width, 3), inPlace(a);
            combine(dest, a, b), combine(inPlace, inPlace, b);
            const std::vector<uint32_t> pa = a.pixels(), pb = b.pixels(), pd = dest.pixels();
            for (size_t i = 0; i < pd.size(); ++i) ASSERT_EQ(pd[i], op(pa[i], pb[i])) << name << " pixel " << i;
            ASSERT_EQ(inPlace.pixels(), pd) << name;
        };
        check(combineImages<F, AverageCombination>, F::average, "average");
        check(combineImages<F, AddCombination>, F::saturatedAdd, "add");
        check(combineImages<F, SubCombination>, F::saturatedSub, "sub");
        check([](GFXimage d, GFXimage x, GFXimage) { std::copy_n(x.data, pixelCount(x), d.data); invertImage<F>(d); },
              [](uint32_t x, uint32_t) { return ~x; }, "invert");
        for (uint8_t value : {0, 255})
            check([value](GFXimage d, GFXimage x, GFXimage y) { alphaImage<F>(d, x, y, value); },
                  [value](uint32_t x, uint32_t y) { return F::alphaValue(x, y, value); }, "alpha");
    }
}

// The portable walk addresses each image with its own width over a's extent.
TEST(Combine, PortableWalkUsesEachImagesWidth) {
    OwnedImage a(2, 2), b(3, 2), dest(4, 2);
    a.fill(0x01010101), b.fill(0x02020202), dest.fill(0xDEADBEEF);
    combineImages<Portable, AddCombination>(dest, a, b);
    for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(dest.pixels()[i], i % 4 < 2 ? 0xFF030303u : 0xDEADBEEFu) << i;
}

// Levels round half to even; alpha is carried along.
TEST(Fade, LevelsAndAlphaFromBrightness) {
    const struct { void (*fade)(GFXimage, uint8_t); uint32_t pixel; uint8_t level; uint32_t expected; } cases[] = {
        {Fade2BlackImage, 0x7FFFC880, 0, 0x7F000000},   {Fade2BlackImage, 0x7FC86401, 128, 0x7F643200},
        {Fade2BlackImage, 0x12FF8003, 128, 0x12804002}, {Fade2BlackImage, 0xFFFF8000, 255, 0xFFFE8000},
        {Fade2WhiteImage, 0x3C102030, 0, 0x3CFFFFFF},   {Fade2WhiteImage, 0x3C102030, 255, 0x3C102030},
        {Fade2WhiteImage, 0x3C0064FF, 128, 0x3C7FB1FF},  // 255 - 155 * 128 / 255 = 177.2
    };
    for (auto c : cases) {
        c.fade(GFXimage{&c.pixel, 1, 1}, c.level);
        EXPECT_EQ(c.pixel, c.expected) << std::hex << c.expected;
    }

    OwnedImage source(3, 2), dest(4, 2), alpha(2, 2), mask(3, 2);
    source.fillNoise(9), dest.fill(0xDEADBEEF);
    Fade2WhiteImage2Screen(dest, source, 128), Fade2WhiteImage(source, 128);  // dest's last column kept
    for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(dest.pixels()[i], i % 4 < 3 ? source.at(i % 4, i / 4) : 0xDEADBEEFu) << i;

    alpha.fill(0x00123456);
    mask.at(0, 0) = 0x005A3C1E;  // (90, 60, 30): 255 - 60
    mask.at(1, 0) = 0xFF010100;  // (1, 1, 0): 255 - 0, the mask's alpha ignored
    mask.at(0, 1) = 0x00FFFFFF, CreateAlphaFromImage(alpha, mask);
    EXPECT_EQ(alpha.pixels(), (std::vector<uint32_t>{0xC3123456, 0xFF123456, 0x00123456, 0xFF123456}));
}

}  // namespace
}  // namespace zorblit
