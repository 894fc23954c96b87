// Image records a careless or hostile caller hands in: sizes whose byte count
// does not fit, records without pixels (every routine of the library, with a
// time bound), images 2^31 pixels and more across with negative coordinates.
#include <gtest/gtest.h>

#include <vector>

#include "child_process.h"
#include "forms.h"
#include "test_images.h"

// Allocation failures must reach the library as null pointers, not as the
// sanitizer's own report.
extern "C" __attribute__((visibility("default"), used)) const char *__asan_default_options() {
    return "allocator_may_return_null=1";
}

namespace zorblit {
namespace {

using test::OwnedImage;

// Sizes whose byte count does not fit fail and leave the record alone; with 64 MB
// of address space to spare, 256 MB cannot be had either.
TEST(Allocation, SizesWithoutABlockAndOutOfMemoryFail) {
    const GFXimage before{reinterpret_cast<uint32_t *>(uintptr_t(0x40)), 5, 6};
    for (const auto &[width, height] : {std::pair{1u << 31, 1u << 31}, {UINT32_MAX, UINT32_MAX}, {1u << 30, 1u << 31}}) {
        GFXimage image = before;
        EXPECT_FALSE(TryAllocImage(&image, width, height)) << width << " x " << height;
        EXPECT_TRUE(image.data == before.data && image.width == 5 && image.height == 6);
        EXPECT_EXIT(AllocImage(&image, width, height), ::testing::ExitedWithCode(1), "Unable to AllocImage!");
    }
    GFXimage image = before;
    ASSERT_TRUE(TryAllocImage(&image, 3, 0));
    EXPECT_TRUE(image.data != nullptr && image.width == 3 && image.height == 0);
    FreeImage(&image);
    if (!test::kAddressSpaceLimitsApply) GTEST_SKIP() << "address-space limits do not bind under the emulator";
    EXPECT_EQ(test::statusOfChild([] {
                  GFXimage small{nullptr, 1, 1};
                  if (!test::limitAddressSpace(64 << 20)) return 9;
                  return !TryAllocImage(&small, 8192, 8192) && small.width == 1 && !small.data ? 0 : 2;
              }),
              0);
    EXPECT_EXIT(if (test::limitAddressSpace(64 << 20)) AllocImage(&image, 8192, 8192), ::testing::ExitedWithCode(1),
                "Unable to AllocImage!");
}

// Negative coordinates are outside, also where the width or height exceeds
// 2^31 and a sign-extended offset would land just before the pixels.
template <class Form>
class HugeImages : public ::testing::Test {};
TYPED_TEST_SUITE(HugeImages, test::Forms);
TYPED_TEST(HugeImages, NegativeCoordinatesAreOutside) {
    setClipRectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    std::vector<uint32_t> block(8, 0xC0FFEE);
    for (const auto &[image, x, y] : {std::tuple{GFXimage{block.data() + 4, UINT32_MAX, 1}, -2, 0},
                                      {GFXimage{block.data() + 4, 1, UINT32_MAX}, 0, -2}}) {
        TypeParam::putPixelClip(image, x, y, 1);
        EXPECT_EQ(TypeParam::getPixelClip(image, x, y), 0u);
        putPixelClip(image, x, y, 1);
        EXPECT_EQ(getPixelClip(image, x, y), 0u);
        uint8_t r = 7, g = 7, b = 7, a = 7;
        getPixelRGBAClip(image, x, y, &r, &g, &b, &a);
        EXPECT_TRUE(r == 7 && g == 7 && b == 7 && a == 7);
        EXPECT_EQ(block, std::vector<uint32_t>(8, 0xC0FFEE)) << x << ", " << y;
    }
    setClipRectangle(0, 0, 0, 0);
}

// Calls every routine that takes an image with `empty` in each image place and
// a 64 x 64 image elsewhere; of the pixel routines, blits, scales and rotations,
// which share one check per kind, a few of each. Unclipped routines get
// positions inside 64 x 64.
void everyRoutineWith(GFXimage empty, GFXimage full) {
    uint8_t r, g, b, a;
    putPixel(empty, 1, 1, 1), getPixel(empty, 1, 1);
    for (const int32_t c : {-2, 0, 1})
        putPixelClip(empty, c, c, 1), getPixelClip(empty, c, c), getPixelRGBAClip(empty, c, c, &r, &g, &b, &a);
    for (const auto &[dest, source] : {std::pair{empty, full}, {full, empty}, {empty, empty}}) {
        putImage(dest, 0, 0, source), putSpriteAlpha(dest, 0, 0, source), getImage(dest, 0, 0, source);
        putImageClip(dest, -1, 1, source), putSpriteSaturatedAddClip(dest, -1, 1, source);
        ScaleImage(dest, 0, 0, 30, 30, source), ScaleSpriteAlphaValue(dest, 0, 0, 30, 30, 9, source);
        RotateImage(dest, 0, 0, 30, source), RotateSpriteAverage(dest, 0, 0, 30, source);
        RotoZoomImage(dest, source, 0.5f, 1.5f), RotoZoomImageNoRepeat(dest, source, 0.5f, 1.5f);
        Fade2WhiteImage2Screen(dest, source, 9), CreateAlphaFromImage(dest, source);
    }
    for (const auto &[dest, first, second] : {std::tuple{empty, full, full}, {full, empty, full}, {full, full, empty}}) {
        AverageImage(dest, first, second), SaturatedImageAdd(dest, first, second);
        SaturatedImageSub(dest, first, second), AlphaImage(dest, first, second, 9);
    }
    DrawHLine(empty, 1, 5, 1, 1), DrawVLine(empty, 1, 5, 1, 1), DrawBar(empty, 1, 1, 5, 5, 1);
    DrawRectangle(empty, 1, 1, 5, 5, 1), drawRectangle(empty, 1, 1, 5, 5, 1), DrawLine(empty, 1, 1, 5, 9, 1);
    DrawCircle(empty, 9, 9, 5, 1), DrawFilledCircle(empty, 9, 9, 5, 1), DrawFilledTriangle(empty, 1, 1, 9, 3, 4, 9, 1);
    DrawHLineClip(empty, -1, 5, 1, 1), DrawVLineClip(empty, -1, 5, 1, 1), DrawBarClip(empty, -1, 1, 5, 5, 1);
    DrawRectangleClip(empty, -1, 1, 5, 5, 1), drawRectangleClip(empty, -1, 1, 5, 5, 1);
    DrawLineClip(empty, -1, 1, 5, 9, 1), DrawCircleClip(empty, 9, 9, 5, 1), DrawFilledCircleClip(empty, 9, 9, 5, 1);
    DrawFilledTriangleClip(empty, -1, 1, 9, 3, 4, 9, 1);
    InvertImageColors(empty), BlurImage(empty), Fade2BlackImage(empty, 9), Fade2WhiteImage(empty, 9);
    SinePlasmaImage(empty, 0.1f, 0.2f, 256), SubPlasmaImage(empty, 4, 1, 256, true), ParticleImage(empty, 1);
}

// Records without pixels: data NULL with sizes (what FreeImage leaves), and a
// block with width or height 0 and the other side 2^32 - 1, whose rows a
// routine could walk for seconds. Every routine returns at once and writes
// nothing into the record's block.
TEST(EmptyRecords, EveryRoutineReturnsAtOnce) {
    uint32_t word = 0x12345678;
    const GFXimage records[] = {{nullptr, 64, 64}, {nullptr, UINT32_MAX, UINT32_MAX}, {&word, 0, UINT32_MAX},
                                {&word, UINT32_MAX, 0}};
    // A few milliseconds when every routine returns at once.
    EXPECT_EQ(test::statusOfChild([&] {
                  OwnedImage full(64, 64);
                  full.fillNoise(3);
                  setClipRectangle(0, 0, 64, 64);
                  for (const GFXimage &record : records) everyRoutineWith(record, full);
                  return word == 0x12345678 ? 0 : 1;
              }),
              0);
}

#if ZORBLIT_ADDRESS_SANITIZER
// Under AddressSanitizer, long fills take a path whose stores it sees.
TEST(BulkFill, OverrunsAreReportedUnderTheSanitizer) {
    constexpr size_t kCount = 8192;
    std::vector<uint32_t> block(kCount);
    EXPECT_DEATH(fillWords(block.data() + 1, kCount, 0), "heap-buffer-overflow");
}
#endif

}  // namespace
}  // namespace zorblit
