// Horizontal and vertical lines, bars and rectangles in both forms.
#include <gtest/gtest.h>

#include "draw/runs.h"
#include "draw_reference.h"
#include "test_images.h"

namespace zorblit {
namespace {

using draw::Clipped;
using draw::Unclipped;
using test::OwnedImage;
using test::Pixels;
using test::pixelsSet;

constexpr uint32_t kInk = 0xFF12AB34;

// All positions x0..x1, y0..y1 inclusive.
Pixels block(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    Pixels set;
    for (int64_t y = y0; y <= y1; ++y)
        for (int64_t x = x0; x <= x1; ++x) set.insert({x, y});
    return set;
}

template <class Form>
class Runs : public ::testing::Test {
protected:
    void SetUp() override { setClipRectangle(0, 0, 100, 100); }
};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(Runs, Forms);

TYPED_TEST(Runs, UnclippedShapes) {
    using U = Unclipped<TypeParam>;
    OwnedImage image(10, 10);
    U::hline(image, 7, 3, 2, kInk);
    U::hline(image, 4, 4, 4, kInk);
    U::vline(image, 9, 0, 9, kInk);
    Pixels expected = block(3, 2, 7, 2);
    for (const auto &set : {block(4, 4, 4, 4), block(9, 0, 9, 9)}) expected.insert(set.begin(), set.end());
    EXPECT_EQ(pixelsSet(image), expected);
    image.fill(0);
    U::bar(image, 8, 1, 2, 3, kInk);
    EXPECT_EQ(pixelsSet(image), block(2, 1, 8, 3));
    // Rows given bottom first: only the packed form orders them.
    image.fill(0);
    U::bar(image, 2, 6, 4, 3, kInk);
    EXPECT_EQ(pixelsSet(image), TypeParam::packed ? block(2, 3, 4, 6) : Pixels{});
}

TYPED_TEST(Runs, ClippedShapesWhollyOutsideDrawNothing) {
    OwnedImage image(100, 100);
    using C = Clipped<TypeParam>;
    C::hline(image, -20, -10, 5, kInk);
    C::hline(image, 120, 130, 5, kInk);
    C::hline(image, 10, 20, -1, kInk);
    C::vline(image, -20, -10, 5, kInk);
    C::vline(image, 120, 130, 5, kInk);
    C::vline(image, 10, 20, 100, kInk);
    C::bar(image, -50, -50, -1, 50, kInk);
    C::bar(image, 10, 100, 20, 120, kInk);
    C::bar(image, 100, 10, 150, 20, kInk);
    C::bar(image, 10, -30, 20, -5, kInk);
    EXPECT_EQ(pixelsSet(image), Pixels{});
}

TYPED_TEST(Runs, ClippedShapesThatOverlapAreClampedToTheImage) {
    OwnedImage image(100, 100);
    Clipped<TypeParam>::bar(image, -50, -50, 150, 10, kInk);
    EXPECT_EQ(pixelsSet(image), block(0, 0, 99, 10));
    image.fill(0);
    Clipped<TypeParam>::hline(image, INT32_MIN, INT32_MAX, 99, kInk);
    Clipped<TypeParam>::vline(image, INT32_MAX, -3, 0, kInk);
    Pixels expected = block(0, 99, 99, 99);
    expected.merge(block(0, 0, 0, 99));
    EXPECT_EQ(pixelsSet(image), expected);
}

// The portable form keeps rows and bars to the clip rectangle and columns to the
// image; the packed form keeps everything to the image.
TYPED_TEST(Runs, EachFormKeepsToItsLimit) {
    OwnedImage image(30, 30);
    setClipRectangle(10, 10, 20, 20);
    using C = Clipped<TypeParam>;
    const bool packed = TypeParam::packed;

    C::hline(image, 0, 29, 15, kInk);
    EXPECT_EQ(pixelsSet(image), packed ? block(0, 15, 29, 15) : block(10, 15, 19, 15));
    image.fill(0);
    C::hline(image, 0, 29, 5, kInk);  // above the clip rectangle
    EXPECT_EQ(pixelsSet(image), packed ? block(0, 5, 29, 5) : Pixels{});
    image.fill(0);
    C::vline(image, -5, 40, 5, kInk);
    EXPECT_EQ(pixelsSet(image), block(5, 0, 5, 29));
    image.fill(0);
    C::bar(image, 0, 0, 40, 12, kInk);
    EXPECT_EQ(pixelsSet(image), packed ? block(0, 0, 29, 12) : block(10, 10, 19, 12));

    image.fill(0);
    draw::outlineRectangle<C>(image, 5, 5, 25, 25, kInk);
    Pixels expected = block(5, 5, 5, 25);  // columns: the image bounds in both forms
    expected.merge(block(25, 5, 25, 25));
    expected.merge(packed ? block(5, 5, 25, 5) : Pixels{});
    expected.merge(packed ? block(5, 25, 25, 25) : Pixels{});
    EXPECT_EQ(pixelsSet(image), expected);

    // A clip rectangle larger than the image is kept to the image too.
    setClipRectangle(-100, -100, 1000, 1000);
    image.fill(0);
    C::bar(image, -5, -5, 50, 50, kInk);
    EXPECT_EQ(pixelsSet(image), block(0, 0, 29, 29));
}

TEST(Rectangles, BothSpellingsAreExported) {
    setClipRectangle(0, 0, 8, 8);
    OwnedImage first(8, 8), second(8, 8);
    DrawRectangle(first, 1, 2, 6, 5, kInk);
    drawRectangle(second, 6, 5, 1, 2, kInk);
    EXPECT_EQ(first.pixels(), second.pixels());
    Pixels outline = block(1, 2, 6, 5);
    for (const auto &inside : block(2, 3, 5, 4)) outline.erase(inside);
    EXPECT_EQ(pixelsSet(first), outline);

    first.fill(0), second.fill(0);
    DrawRectangleClip(first, -3, 2, 10, 5, kInk);
    drawRectangleClip(second, -3, 2, 10, 5, kInk);
    EXPECT_EQ(first.pixels(), second.pixels());
    EXPECT_EQ(pixelsSet(first), [] {
        Pixels rows = block(0, 2, 7, 2);
        rows.merge(block(0, 5, 7, 5));
        return rows;
    }());
}

TEST(Runs, ExportedRoutinesFollowTheBuiltForm) {
    setClipRectangle(0, 0, 4, 4);
    OwnedImage image(8, 8);
    DrawHLineClip(image, -1, 9, 6, kInk);
    DrawBar(image, 0, 3, 1, 2, kInk);
    Pixels expected = ZORBLIT_PACKED_BUILD ? block(0, 6, 7, 6) : Pixels{};
    if (ZORBLIT_PACKED_BUILD) expected.merge(block(0, 2, 1, 3));
    EXPECT_EQ(pixelsSet(image), expected);
    image.fill(0);
    DrawVLineClip(image, 9, -9, 6, kInk);
    DrawHLine(image, 2, 0, 0, kInk);
    DrawVLine(image, 1, 0, 7, kInk);
    DrawBarClip(image, 2, 2, 3, 3, kInk);
    expected = block(6, 0, 6, 7);
    for (const auto &set : {block(0, 0, 2, 0), block(7, 0, 7, 1), block(2, 2, 3, 3)}) expected.insert(set.begin(), set.end());
    EXPECT_EQ(pixelsSet(image), expected);
}

}  // namespace
}  // namespace zorblit
