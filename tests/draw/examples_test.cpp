// The worked examples of every shape, the limits of both forms, the exported
// routines, and a picture of them all for a look by eye.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "draw/line.h"
#include "draw/runs.h"
#include "draw_reference.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;
using test::picture;
using test::Pixels;
using test::pixelsSet;

constexpr uint32_t kInk = 0xFF12AB34;

struct Box {
    int64_t x0, y0, x1, y1;  // inclusive
};
Pixels blocks(const std::vector<Box> &boxes) {
    Pixels set;
    for (const Box &b : boxes)
        for (int64_t y = b.y0; y <= b.y1; ++y)
            for (int64_t x = b.x0; x <= b.x1; ++x) set.insert({x, y});
    return set;
}

TEST(Examples, CirclesTrianglesAndLines) {
    const char *rings[] = {
        ".........|.........|.........|.........|....#....|.........|.........|.........|.........|",
        ".........|.........|.........|...###...|...#.#...|...###...|.........|.........|.........|",
        ".........|.........|...###...|..#...#..|..#...#..|..#...#..|...###...|.........|.........|",
        ".........|...###...|..#...#..|.#.....#.|.#.....#.|.#.....#.|..#...#..|...###...|.........|",
    };
    for (uint32_t radius = 0; radius < 4; ++radius) {
        OwnedImage image(9, 9);
        DrawCircle(image, 4, 4, radius, kInk);
        EXPECT_EQ(picture(image), rings[radius]) << radius;
    }
    OwnedImage disc(5, 5);
    DrawFilledCircle(disc, 2, 2, 1, kInk);
    EXPECT_EQ(picture(disc), ".....|.###.|.###.|.###.|.....|");

    std::array<std::pair<uint32_t, uint32_t>, 3> corners{{{0, 0}, {0, 4}, {4, 0}}};
    do {
        OwnedImage image(6, 6);
        const auto [a, b, c] = corners;
        DrawFilledTriangle(image, a.first, a.second, b.first, b.second, c.first, c.second, kInk);
        EXPECT_EQ(picture(image), "####..|###...|##....|#.....|......|......|");
    } while (std::next_permutation(corners.begin(), corners.end()));
    OwnedImage flat(10, 3);  // one row high: nothing
    DrawFilledTriangle(flat, 0, 0, 5, 0, 9, 0, kInk);
    DrawFilledTriangleClip(flat, 0, 1, 9, 1, 4, 1, kInk);
    EXPECT_EQ(pixelsSet(flat), Pixels{});

    OwnedImage lines(8, 8);
    DrawLine(lines, 0, 0, 2, 1, kInk);
    DrawLine(lines, 5, 5, 5, 5, kInk);
    DrawLine(lines, 6, 1, 6, 3, kInk);
    DrawLine(lines, 3, 7, 0, 7, kInk);
    EXPECT_EQ(picture(lines), "##......|.##...#.|......#.|......#.|........|.....#..|........|####....|");
    // Unclamped, the drifting walk of this long line rounds to (6, 12), beyond its end.
    OwnedImage drift(16, 16);
    setClipRectangle(0, 0, 16, 16);
    draw::drawLine<draw::Clipped<Portable>>(drift, {-17056, 8}, {5, 12}, kInk);
    EXPECT_EQ(*pixelsSet(drift).rbegin(), (std::pair<int64_t, int64_t>{5, 12}));
}

template <class Form>
class Runs : public ::testing::Test {};
using Forms = ::testing::Types<Portable, Packed>;
TYPED_TEST_SUITE(Runs, Forms);

// On a 30 x 30 image with the clip rectangle (10, 10)-(20, 20): the portable form
// keeps rows, bars and rectangle rows to the clip rectangle and columns to the
// image; the packed form keeps everything to the image. A shape wholly outside
// its limit draws nothing.
TYPED_TEST(Runs, EachFormKeepsToItsLimit) {
    using C = draw::Clipped<TypeParam>;
    using U = draw::Unclipped<TypeParam>;
    struct Case {
        void (*draw)(GFXimage);
        std::vector<Box> portable, packed;
    };
    const Box left{5, 5, 5, 25}, right{25, 5, 25, 25}, top{5, 5, 25, 5}, bottom{5, 25, 25, 25};
    const Case cases[] = {
        {[](GFXimage i) { C::hline(i, 0, 29, 15, kInk); }, {{10, 15, 19, 15}}, {{0, 15, 29, 15}}},
        {[](GFXimage i) { C::hline(i, INT32_MAX, INT32_MIN, 5, kInk); }, {}, {{0, 5, 29, 5}}},
        {[](GFXimage i) { C::hline(i, -20, -10, 15, kInk); }, {}, {}},
        {[](GFXimage i) { C::vline(i, INT32_MAX, -3, 5, kInk); }, {{5, 0, 5, 29}}, {{5, 0, 5, 29}}},
        {[](GFXimage i) { C::vline(i, 10, 20, 30, kInk); }, {}, {}},
        {[](GFXimage i) { C::bar(i, 0, 0, 40, 12, kInk); }, {{10, 10, 19, 12}}, {{0, 0, 29, 12}}},
        {[](GFXimage i) { C::bar(i, -50, -50, -1, 50, kInk); }, {}, {}},
        {[](GFXimage i) { C::bar(i, 10, -30, 20, -5, kInk); }, {}, {}},
        {[](GFXimage i) { draw::outlineRectangle<C>(i, 5, 5, 25, 25, kInk); }, {left, right},
         {left, right, top, bottom}},
        {[](GFXimage i) { U::hline(i, 7, 3, 2, kInk); }, {{3, 2, 7, 2}}, {{3, 2, 7, 2}}},
        {[](GFXimage i) { U::vline(i, 9, 0, 29, kInk); }, {{29, 0, 29, 9}}, {{29, 0, 29, 9}}},
        {[](GFXimage i) { U::bar(i, 8, 1, 2, 3, kInk); }, {{2, 1, 8, 3}}, {{2, 1, 8, 3}}},
        {[](GFXimage i) { U::bar(i, 2, 6, 4, 3, kInk); }, {}, {{2, 3, 4, 6}}},  // only packed orders rows bottom first
    };
    for (size_t n = 0; n < std::size(cases); ++n) {
        OwnedImage image(30, 30);
        setClipRectangle(10, 10, 20, 20);
        cases[n].draw(image);
        EXPECT_EQ(pixelsSet(image), blocks(TypeParam::packed ? cases[n].packed : cases[n].portable)) << "case " << n;
    }
}

// Both spellings of the rectangle routines are exported, and the exported
// routines draw as the built form does.
TEST(Examples, ExportedRoutines) {
    setClipRectangle(0, 0, 8, 8);
    OwnedImage first(8, 8), second(8, 8);
    DrawRectangle(first, 1, 2, 6, 5, kInk);
    drawRectangle(second, 6, 5, 1, 2, kInk);
    EXPECT_EQ(picture(first), "........|........|.######.|.#....#.|.#....#.|.######.|........|........|");
    EXPECT_EQ(first.pixels(), second.pixels());
    DrawRectangleClip(first, -3, 1, 10, 6, kInk);  // rows only: the columns lie outside
    drawRectangleClip(second, -3, 1, 10, 6, kInk);
    EXPECT_EQ(first.pixels(), second.pixels());
    EXPECT_EQ(picture(first), "........|########|.######.|.#....#.|.#....#.|.######.|########|........|");

    setClipRectangle(0, 0, 4, 4);
    OwnedImage image(8, 8);
    DrawHLineClip(image, -1, 9, 6, kInk);
    DrawBar(image, 0, 3, 1, 2, kInk);
    EXPECT_EQ(pixelsSet(image), ZORBLIT_PACKED_BUILD ? blocks({{0, 6, 7, 6}, {0, 2, 1, 3}}) : Pixels{});
    image.fill(0);
    DrawVLineClip(image, 9, -9, 6, kInk);
    DrawHLine(image, 2, 0, 0, kInk);
    DrawVLine(image, 1, 0, 7, kInk);
    DrawBarClip(image, 2, 2, 3, 3, kInk);
    EXPECT_EQ(pixelsSet(image), blocks({{6, 0, 6, 7}, {0, 0, 2, 0}, {7, 0, 7, 1}, {2, 2, 3, 3}}));
}

// Every shape in one picture, written to the test output folder, with the
// symmetries a reader would check in it.
TEST(Examples, Gallery) {
    OwnedImage image(200, 120);
    setClipRectangle(0, 0, 200, 120);
    image.fill(0xFF101820);
    DrawBar(image, 10, 10, 50, 40, 0xFF3060C0);
    DrawRectangle(image, 8, 8, 52, 42, 0xFFFFFFFF);
    DrawFilledCircle(image, 100, 30, 22, 0xFFE0A020);
    DrawCircle(image, 100, 30, 25, 0xFFFFFFFF);
    DrawFilledTriangle(image, 150, 8, 190, 50, 130, 45, 0xFF40C060);
    for (uint32_t i = 0; i <= 8; ++i) DrawLine(image, 10, 110, 10 + i * 10, 60, 0xFFFF4040);
    DrawFilledCircleClip(image, 200, 120, 40, 0xFF8040C0);  // cut by the corner
    DrawLineClip(image, -50, 119, 250, 60, 0xFFFFFF00);
    DrawHLineClip(image, -10, 300, 100, 0xFF00FFFF);
    DrawVLineClip(image, -10, 300, 160, 0xFF00FFFF);
    test::writePicture(image, "draw_gallery");

    // The disc and its ring are mirror-symmetric about the centre's row and column.
    for (int32_t dy = -25; dy <= 25; ++dy)
        for (int32_t dx = -25; dx <= 25; ++dx)
            ASSERT_TRUE(image.at(100 + dx, 30 + dy) == image.at(100 - dx, 30 + dy) &&
                        image.at(100 + dx, 30 + dy) == image.at(100 + dx, 30 - dy))
                << dx << "," << dy;
    EXPECT_EQ(image.at(100, 5), 0xFFFFFFFFu);
    EXPECT_EQ(image.at(100, 8), 0xFFE0A020u);
    EXPECT_EQ(image.at(199, 119), 0xFF8040C0u);
    EXPECT_EQ(image.at(90, 60), 0xFFFF4040u);
}

}  // namespace
}  // namespace zorblit
