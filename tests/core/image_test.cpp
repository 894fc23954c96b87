// Image records, packing, bulk memory and single pixels.
#include <gtest/gtest.h>

#include "core/form.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

TEST(Image, AllocFreeAndPacking) {
    GFXimage image{reinterpret_cast<uint32_t *>(8), 0, 0};
    AllocImage(&image, 3, 2);
    ASSERT_NE(image.data, nullptr);
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(image.data[i], 0u);
    FreeImage(&image);
    FreeImage(&image);
    EXPECT_EQ(image.data, nullptr);
    EXPECT_EQ(image.width, 3u);

    EXPECT_EQ(RGBA(0x12, 0x34, 0x56, 0x78), 0x78123456u);
    uint8_t r, g, b, a;
    getRGBA(0x78123456, &r, &g, &b, &a);
    EXPECT_EQ((std::array<int, 4>{r, g, b, a}), (std::array<int, 4>{0x12, 0x34, 0x56, 0x78}));
    EXPECT_EQ(getRed(0x78123456), 0x12);
    EXPECT_EQ(getAlpha(0x78123456), 0x78);

    setClipRectangle(10, 20, 5, 5);
    EXPECT_EQ((std::array<int32_t, 4>{clipX1, clipY1, clipX2, clipY2}), (std::array<int32_t, 4>{10, 20, 5, 5}));
}

TEST(Image, EmptyImagesAreUsable) {
    GFXimage image{};
    AllocImage(&image, 0, 7);
    EXPECT_NE(image.data, nullptr);
    EXPECT_EQ(getPixelClip(image, 0, 0), 0u);
    putPixelClip(image, 0, 0, 1);
    FreeImage(&image);
}

template <class Form>
class BulkMemory : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(BulkMemory, Forms);

TYPED_TEST(BulkMemory, FillAndMoveTouchExactlyCount) {
    for (size_t count = 0; count < 9; ++count)
        for (size_t offset = 0; offset < 2; ++offset) {
            std::vector<uint32_t> memory(12, 0xDEADBEEF);
            TypeParam::fill(memory.data() + offset, count, 0x01020304);
            for (size_t i = 0; i < memory.size(); ++i)
                ASSERT_EQ(memory[i], i >= offset && i < offset + count ? 0x01020304u : 0xDEADBEEFu) << count;
            std::vector<uint32_t> target(12, 7);
            TypeParam::move(memory.data(), target.data() + offset, count);
            for (size_t i = 0; i < target.size(); ++i)
                ASSERT_EQ(target[i], i >= offset && i < offset + count ? memory[i - offset] : 7u);
        }
}

TEST(Pixels, UnclippedRoutines) {
    OwnedImage image(5, 4);
    putPixelRGBA(image, 1, 2, 1, 2, 3, 4);
    EXPECT_EQ(image.at(1, 2), 0x04010203u);
    putPixelColor(image, 4, 3, 0xCAFEBABE);
    EXPECT_EQ(getPixelColor(image, 4, 3), 0xCAFEBABEu);
    uint8_t r, g, b, a;
    getPixelRGBA(image, 1, 2, &r, &g, &b, &a);
    EXPECT_EQ((std::array<int, 4>{r, g, b, a}), (std::array<int, 4>{1, 2, 3, 4}));
}

TEST(Pixels, ClippedWritersObeyTheFormsLimit) {
    OwnedImage image(30, 30);
    setClipRectangle(10, 10, 20, 20);
    putPixelClip(image, 5, 5, 9);
    EXPECT_EQ(image.at(5, 5), ZORBLIT_PACKED_BUILD ? 9u : 0u);
    EXPECT_EQ(getPixelClip(image, 5, 5), image.at(5, 5));
    putPixelClip(image, 20, 10, 3);  // x = clipX2
    EXPECT_EQ(image.at(20, 10), ZORBLIT_PACKED_BUILD ? 3u : 0u);
    putPixelClip(image, 10, 10, 4);  // the inclusive corner
    EXPECT_EQ(image.at(10, 10), 4u);

    // A clip rectangle larger than the image never reaches outside it.
    setClipRectangle(-100, -100, 100, 100);
    for (int32_t p : {-1, 30, 31, 99}) {
        putPixelClip(image, p, 0, 1);
        putPixelClip(image, 0, p, 1);
    }
    EXPECT_EQ(getPixelClip(image, -1, 0), 0u);
    EXPECT_EQ(getPixelColorClip(image, 0, 30), 0u);
    uint8_t r = 11, g = 12, b = 13, a = 14;
    getPixelRGBAClip(image, -1, 5, &r, &g, &b, &a);
    EXPECT_EQ((std::array<int, 4>{r, g, b, a}), (std::array<int, 4>{11, 12, 13, 14}));
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

}  // namespace
}  // namespace zorblit

namespace zorblit {
namespace {

// Any coordinates and clip rectangle: the clipped writer of each form touches
// only the one pixel its limit allows (ASan catches anything else).
template <class Form>
void sweepClippedPixels(uint64_t seed) {
    test::TestRandom random(seed);
    for (int round = 0; round < 20000; ++round) {
        test::OwnedImage image(uint32_t(random.range(0, 5)), uint32_t(random.range(0, 5)));
        setClipRectangle(random.coordinate(6), random.coordinate(6), random.coordinate(6), random.coordinate(6));
        const int32_t x = random.coordinate(image.width()), y = random.coordinate(image.height());
        const bool inImage = x >= 0 && y >= 0 && uint32_t(x) < image.width() && uint32_t(y) < image.height();
        const bool inClip = x >= clipX1 && y >= clipY1 && x < clipX2 && y < clipY2;
        Form::putPixelClip(image, x, y, 0xABCDEF01);
        const bool written = inImage && (Form::packed || inClip);
        for (uint32_t j = 0; j < image.height(); ++j)
            for (uint32_t i = 0; i < image.width(); ++i)
                ASSERT_EQ(image.at(i, j), written && int32_t(i) == x && int32_t(j) == y ? 0xABCDEF01u : 0u);
        ASSERT_EQ(Form::getPixelClip(image, x, y), written ? 0xABCDEF01u : 0u);
    }
    setClipRectangle(0, 0, 0, 0);
}

TEST(PixelSweep, Portable) { sweepClippedPixels<Portable>(3); }
TEST(PixelSweep, Packed) { sweepClippedPixels<Packed>(4); }

}  // namespace
}  // namespace zorblit
