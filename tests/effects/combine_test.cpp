// Inversion, the three combinations and AlphaImage in both forms.
#include <gtest/gtest.h>

#include "effects/combine.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

template <class Form>
class Combine : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(Combine, Forms);

TYPED_TEST(Combine, InvertFlipsEveryByteAndTwiceRestores) {
    OwnedImage image(3, 3);  // an odd count: the packed run ends with a single pixel
    image.fillNoise(1);
    const OwnedImage original(image);
    image.at(2, 2) = 0xFF000000;
    invertImage<TypeParam>(image);
    EXPECT_EQ(image.at(2, 2), 0x00FFFFFFu);
    for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(image.get().data[i], ~original.get().data[i]);
    invertImage<TypeParam>(image);
    image.at(2, 2) = original.at(2, 2);
    EXPECT_EQ(test::compareImages(image, original, "invert_twice"), "");
}

// Every pixel of odd-sized images matches the form's own operator (AlphaImage
// at the ends of the scale included), also when dest is one of the sources.
TYPED_TEST(Combine, EveryPixelFollowsTheFormOperator) {
    using F = TypeParam;
    for (uint32_t width : {1u, 3u, 7u}) {
        OwnedImage a(width, 3), b(width, 3);
        a.fillNoise(width);
        b.fillNoise(width + 100);
        const auto check = [&](auto combine, auto op, const char *name) {
            OwnedImage dest(width, 3);
            combine(dest, a, b);
            OwnedImage inPlace(a);
            combine(inPlace, inPlace, b);
            for (uint32_t y = 0; y < 3; ++y)
                for (uint32_t x = 0; x < width; ++x) {
                    ASSERT_EQ(dest.at(x, y), op(a.at(x, y), b.at(x, y))) << name << " " << x << "," << y;
                    ASSERT_EQ(inPlace.at(x, y), dest.at(x, y)) << name;
                }
        };
        check(combineImages<F, AverageCombination>, F::average, "average");
        check(combineImages<F, AddCombination>, F::saturatedAdd, "add");
        check(combineImages<F, SubCombination>, F::saturatedSub, "sub");
        for (uint8_t value : {0, 255})
            check([value](GFXimage d, GFXimage x, GFXimage y) { alphaImage<F>(d, x, y, value); },
                  [value](uint32_t x, uint32_t y) { return F::alphaValue(x, y, value); }, "alpha");
    }
}

// The portable walk addresses each image with its own width over a's extent.
TEST(Combine, PortableWalkUsesEachImagesWidth) {
    OwnedImage a(2, 2), b(3, 2), dest(4, 2);
    a.fill(0x01010101);
    b.fill(0x02020202);
    dest.fill(0xDEADBEEF);
    combineImages<Portable, AddCombination>(dest, a, b);
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(dest.at(x, y), x < 2 ? 0xFF030303u : 0xDEADBEEFu);
}

// Empty images: nothing is read or written, whatever the data pointer.
TYPED_TEST(Combine, EmptyImagesAreNotTouched) {
    using F = TypeParam;
    for (auto [w, h] : {std::pair{0u, 5u}, std::pair{5u, 0u}}) {
        const GFXimage empty{nullptr, w, h};
        invertImage<F>(empty);
        combineImages<F, AverageCombination>(empty, empty, empty);
        alphaImage<F>(empty, empty, empty, 128);
    }
}

}  // namespace
}  // namespace zorblit
