// The core: image records and pixels, bulk memory, and the blend operators in
// both forms against per-byte formulas.
#include <gtest/gtest.h>

#include "forms.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

template <class Form>
class CoreForms : public ::testing::Test {};
TYPED_TEST_SUITE(CoreForms, test::Forms);

TEST(Image, AllocFreePackingAndPixels) {
    GFXimage image{reinterpret_cast<uint32_t *>(8), 0, 0};
    AllocImage(&image, 3, 2);
    ASSERT_NE(image.data, nullptr);
    EXPECT_EQ(std::vector<uint32_t>(image.data, image.data + 6), std::vector<uint32_t>(6, 0));
    FreeImage(&image), FreeImage(&image);  // twice is harmless; the size stays
    EXPECT_TRUE(image.data == nullptr && image.width == 3);
    // The exported clipped routines use the built form's limit (packed: the
    // image; portable: the clip rectangle too). The byte order of a pixel is
    // checked from C (tests/c), a miss's outputs with the huge images.
    OwnedImage pixels(30, 30);
    setClipRectangle(10, 10, 20, 20), putPixelClip(pixels, 5, 5, 9), putPixelRGBAClip(pixels, 29, 29, 1, 2, 3, 4);
    EXPECT_EQ(getPixelClip(pixels, 5, 5), ZORBLIT_PACKED_BUILD ? 9u : 0u);
    EXPECT_EQ(getPixelColorClip(pixels, 29, 29), ZORBLIT_PACKED_BUILD ? RGBA(1, 2, 3, 4) : 0u);
    setClipRectangle(0, 0, 0, 0);
}

// Offsets are 64-bit: an image of more than 2^30 pixels addresses its last row.
TEST(Pixels, LargeImageOffsets) {
    GFXimage huge{};
    if (sizeof(size_t) < 8) {  // more than the address space: refused, not cut short
        EXPECT_EXIT(AllocImage(&huge, 1u << 15, (1u << 15) + 2), ::testing::ExitedWithCode(1), "");
        return;
    }
    AllocImage(&huge, 1u << 15, (1u << 15) + 2);  // 4 GiB + 256 KiB, zeroed lazily by the system
    putPixel(huge, 5, huge.height - 1, 0xABCDEF);
    EXPECT_EQ(huge.data[uint64_t(huge.height - 1) * huge.width + 5], 0xABCDEFu);
    EXPECT_EQ(getPixelClip(huge, 5, int32_t(huge.height - 1)), 0xABCDEFu);
    FreeImage(&huge);
}

// Short counts, and long ones on both sides of the switch to the string store.
TYPED_TEST(CoreForms, FillAndMoveTouchExactlyCount) {
    for (size_t count : {0, 1, 2, 3, 5, 7, 8, 4095, 4096, 4097, 5003})
        for (size_t offset = 0; offset < 2; ++offset) {
            std::vector<uint32_t> memory(count + 4, 0xDEADBEEF), target(count + 4, 7);
            TypeParam::fill(memory.data() + offset, count, 0x01020304);
            TypeParam::move(memory.data(), target.data() + offset, count);
            for (size_t i = 0; i < count + 4; ++i) {
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

// Every pair of byte values: the packed arithmetic in every lane position
// against the plain formula (the packed operators apply it to all four bytes),
// the packed alpha mix (alpha 0) and the portable operators (alpha 255) on grey
// pixels against the same formulas; the exported operators are the built form's.
TEST(BlendArithmetic, EveryBytePairInEveryLaneAndBothForms) {
    for (uint32_t a = 0; a < 256; ++a)
        for (uint32_t b = 0; b < 256; ++b) {
            for (int lane = 8; lane < 64; lane += 8) {
                const uint64_t x = uint64_t(a) << lane | 0x5A, y = uint64_t(b) << lane | 0xA5;
                const auto byte = [lane](uint64_t v) { return uint32_t(v >> lane & 0xFF); };
                ASSERT_EQ(byte(swar::averageUp(x, y)), (a + b + 1) >> 1);
                ASSERT_EQ(byte(swar::addSaturated(x, y)), std::min(a + b, 255u));
                ASSERT_EQ(byte(swar::subSaturated(x, y)), a > b ? a - b : 0u);
            }
            const uint32_t s = a * 0x010101u, d = b * 0x010101u, t = a << 24 | s;
            ASSERT_EQ(Portable::average(s, d), 0xFF000000u | ((a >> 1) + (b >> 1)) * 0x010101u);
            ASSERT_EQ(Portable::saturatedAdd(s, d), 0xFF000000u | std::min(a + b, 255u) * 0x010101u);
            ASSERT_EQ(Portable::saturatedSub(s, d), 0xFF000000u | (a > b ? a - b : 0u) * 0x010101u);
            ASSERT_EQ(Average(t, d), BuiltForm::average(t, d));
            ASSERT_EQ(SaturatedAdd(t, d), BuiltForm::saturatedAdd(t, d));
            ASSERT_EQ(SaturatedSub(t, d), BuiltForm::saturatedSub(t, d));
            for (uint32_t w : {0u, 1u, 127u, 128u, 254u, 255u}) {
                const uint32_t expect = (a * w + b * (255 - w)) >> 8;
                ASSERT_EQ(swar::mix(a * 0x01010101u, b * 0x01010101u, w), expect * 0x00010101u) << a << " " << b << " " << w;
                ASSERT_EQ(Packed::alpha(w << 24 | s, d), expect * 0x010101u) << a << " " << b << " " << w;
                ASSERT_EQ(Portable::alpha(w << 24 | s, d), 0xFF000000u | expect * 0x010101u) << a << " " << b << " " << w;
                ASSERT_EQ(Portable::alphaValue(w << 24 | s, d, uint8_t(w)), (expect * 0x010101u) | (w * w >> 8) << 24);
                ASSERT_EQ(AlphaColor(w << 24 | s, d), BuiltForm::alpha(w << 24 | s, d));
                ASSERT_EQ(AlphaValueColor(t, d, uint8_t(w)), BuiltForm::alphaValue(t, d, uint8_t(w)));
            }
        }
}

}  // namespace
}  // namespace zorblit
