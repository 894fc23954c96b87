// Image records, packing, bulk memory and single pixels.
#include <gtest/gtest.h>

#include "core/form.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;
using Bytes = std::array<int, 4>;

TEST(Image, AllocFreePackingAndEmptyImages) {
    GFXimage image{reinterpret_cast<uint32_t *>(8), 0, 0};
    AllocImage(&image, 3, 2);
    ASSERT_NE(image.data, nullptr);
    EXPECT_EQ(std::vector<uint32_t>(image.data, image.data + 6), std::vector<uint32_t>(6, 0));
    FreeImage(&image);
    FreeImage(&image);  // twice is harmless; the size stays
    EXPECT_TRUE(image.data == nullptr && image.width == 3);
    AllocImage(&image, 0, 7);
    EXPECT_NE(image.data, nullptr);
    EXPECT_EQ(getPixelClip(image, 0, 0), 0u);
    putPixelClip(image, 0, 0, 1);
    FreeImage(&image);

    uint8_t r, g, b, a;
    EXPECT_EQ(RGBA(0x12, 0x34, 0x56, 0x78), 0x78123456u);
    getRGBA(0x78123456, &r, &g, &b, &a);
    EXPECT_EQ((Bytes{r, g, b, a}), (Bytes{0x12, 0x34, 0x56, 0x78}));
    EXPECT_TRUE(getRed(0x78123456) == 0x12 && getAlpha(0x78123456) == 0x78);
    setClipRectangle(10, 20, 5, 5);  // kept as given
    EXPECT_EQ((std::array<int32_t, 4>{clipX1, clipY1, clipX2, clipY2}), (std::array<int32_t, 4>{10, 20, 5, 5}));
}

// The exported pixel routines; the clipped ones use the built form's limit
// (packed: the image; portable: the clip rectangle too) and never leave the image.
TEST(Pixels, ExportedRoutines) {
    OwnedImage image(30, 30);
    uint8_t r, g, b, a;
    putPixelRGBA(image, 1, 2, 1, 2, 3, 4);
    EXPECT_EQ(image.at(1, 2), 0x04010203u);
    putPixelColor(image, 4, 3, 0xCAFEBABE);
    EXPECT_EQ(getPixelColor(image, 4, 3), 0xCAFEBABEu);
    getPixelRGBA(image, 1, 2, &r, &g, &b, &a);
    EXPECT_EQ((Bytes{r, g, b, a}), (Bytes{1, 2, 3, 4}));

    setClipRectangle(10, 10, 20, 20);
    putPixelClip(image, 5, 5, 9);
    EXPECT_EQ(getPixelClip(image, 5, 5), ZORBLIT_PACKED_BUILD ? 9u : 0u);
    setClipRectangle(-100, -100, 100, 100);
    EXPECT_EQ(std::pair(getPixelClip(image, -1, 0), getPixelColorClip(image, 0, 30)), std::pair(0u, 0u));
    r = 11, g = 12, b = 13, a = 14;
    getPixelRGBAClip(image, -1, 5, &r, &g, &b, &a);
    EXPECT_EQ((Bytes{r, g, b, a}), (Bytes{11, 12, 13, 14}));
    putPixelRGBAClip(image, 29, 29, 1, 2, 3, 4);
    EXPECT_EQ(image.at(29, 29), 0x04010203u);
    setClipRectangle(0, 0, 0, 0);
}

// Offsets are 64-bit: an image of more than 2^30 pixels addresses its last row.
TEST(Pixels, LargeImageOffsets) {
    GFXimage huge{};
    AllocImage(&huge, 1u << 15, (1u << 15) + 2);  // 4 GiB + 256 KiB, zeroed lazily by the system
    putPixel(huge, 5, huge.height - 1, 0xABCDEF);
    EXPECT_EQ(huge.data[uint64_t(huge.height - 1) * huge.width + 5], 0xABCDEFu);
    EXPECT_EQ(getPixelClip(huge, 5, int32_t(huge.height - 1)), 0xABCDEFu);
    FreeImage(&huge);
}

template <class Form>
class CoreForms : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(CoreForms, Forms);

TYPED_TEST(CoreForms, FillAndMoveTouchExactlyCount) {
    for (size_t count = 0; count < 9; ++count)
        for (size_t offset = 0; offset < 2; ++offset) {
            std::vector<uint32_t> memory(12, 0xDEADBEEF), target(12, 7);
            TypeParam::fill(memory.data() + offset, count, 0x01020304);
            TypeParam::move(memory.data(), target.data() + offset, count);
            for (size_t i = 0; i < 12; ++i) {
                const bool inside = i >= offset && i < offset + count;
                ASSERT_EQ(memory[i], inside ? 0x01020304u : 0xDEADBEEFu) << count;
                ASSERT_EQ(target[i], inside ? memory[i - offset] : 7u) << count;
            }
        }
}

// Any coordinates and clip rectangle: the clipped writer touches only the one
// pixel its form's limit allows (the sanitizer build catches anything else).
TYPED_TEST(CoreForms, ClippedPixelsSweep) {
    using F = TypeParam;
    test::TestRandom random(F::packed ? 4 : 3);
    for (int round = 0; round < 20000; ++round) {
        OwnedImage image(uint32_t(random.range(0, 5)), uint32_t(random.range(0, 5)));
        setClipRectangle(random.coordinate(6), random.coordinate(6), random.coordinate(6), random.coordinate(6));
        const int32_t x = random.coordinate(image.width()), y = random.coordinate(image.height());
        const bool inImage = x >= 0 && y >= 0 && uint32_t(x) < image.width() && uint32_t(y) < image.height();
        const bool written = inImage && (F::packed || (x >= clipX1 && y >= clipY1 && x < clipX2 && y < clipY2));
        F::putPixelClip(image, x, y, 0xABCDEF01);
        for (uint32_t j = 0; j < image.height(); ++j)
            for (uint32_t i = 0; i < image.width(); ++i)
                ASSERT_EQ(image.at(i, j), written && int32_t(i) == x && int32_t(j) == y ? 0xABCDEF01u : 0u);
        ASSERT_EQ(F::getPixelClip(image, x, y), written ? 0xABCDEF01u : 0u);
    }
    setClipRectangle(0, 0, 0, 0);
}

}  // namespace
}  // namespace zorblit
