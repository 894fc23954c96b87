// The worked examples of every shape, unclipped corners in any order, and the
// exported routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "draw/circle.h"
#include "draw/line.h"
#include "draw/runs.h"
#include "draw/triangle.h"
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

// Unclipped runs and bars take their corners in any order, except that only the
// packed form draws a bar given bottom first. The clipped ones are in the sweeps.
TYPED_TEST(Runs, UnclippedCornersInAnyOrder) {
    using U = draw::Unclipped<TypeParam>;
    const std::pair<void (*)(GFXimage), std::vector<Box>> cases[] = {
        {[](GFXimage i) { U::hline(i, 7, 3, 2, kInk); }, {{3, 2, 7, 2}}},
        {[](GFXimage i) { U::vline(i, 9, 0, 29, kInk); }, {{29, 0, 29, 9}}},
        {[](GFXimage i) { U::bar(i, 8, 1, 2, 3, kInk); }, {{2, 1, 8, 3}}},
        {[](GFXimage i) { U::bar(i, 2, 6, 4, 3, kInk); }, TypeParam::packed ? std::vector<Box>{{2, 3, 4, 6}} : std::vector<Box>{}},
    };
    for (size_t n = 0; n < std::size(cases); ++n) {
        OwnedImage image(30, 30);
        cases[n].first(image);
        EXPECT_EQ(pixelsSet(image), blocks(cases[n].second)) << "case " << n;
    }
}

// The outline as drawn by hand, then every exported routine against the built
// form's template, each shape on its own image and across the image's edges.
TEST(Examples, ExportedRoutines) {
    setClipRectangle(0, 0, 8, 8);
    OwnedImage image(8, 8);
    DrawRectangle(image, 6, 5, 1, 2, kInk);
    EXPECT_EQ(picture(image), "........|........|.######.|.#....#.|.#....#.|.######.|........|........|");
    DrawRectangleClip(image, -3, 1, 10, 6, kInk);  // rows only: the columns lie outside
    EXPECT_EQ(picture(image), "........|########|.######.|.#....#.|.#....#.|.######.|########|........|");

    using C = draw::Clipped<BuiltForm>;
    using U = draw::Unclipped<BuiltForm>;
    using Draw = void (*)(GFXimage);
    const std::pair<Draw, Draw> pairs[] = {
        {[](GFXimage i) { DrawHLine(i, 9, 1, 0, kInk); }, [](GFXimage i) { U::hline(i, 9, 1, 0, kInk); }},
        {[](GFXimage i) { DrawHLineClip(i, -5, 30, 4, kInk); }, [](GFXimage i) { C::hline(i, -5, 30, 4, kInk); }},
        {[](GFXimage i) { DrawVLine(i, 17, 0, 23, kInk); }, [](GFXimage i) { U::vline(i, 17, 0, 23, kInk); }},
        {[](GFXimage i) { DrawVLineClip(i, -9, 40, 1, kInk); }, [](GFXimage i) { C::vline(i, -9, 40, 1, kInk); }},
        {[](GFXimage i) { DrawBar(i, 8, 6, 3, 9, kInk); }, [](GFXimage i) { U::bar(i, 8, 6, 3, 9, kInk); }},
        {[](GFXimage i) { DrawBarClip(i, -1, 12, 30, 16, kInk); }, [](GFXimage i) { C::bar(i, -1, 12, 30, 16, kInk); }},
        {[](GFXimage i) { DrawRectangle(i, 8, 9, 3, 6, kInk); },
         [](GFXimage i) { draw::outlineRectangle<U>(i, 3, 6, 8, 9, kInk); }},
        {[](GFXimage i) { drawRectangle(i, 8, 9, 3, 6, kInk); },
         [](GFXimage i) { draw::outlineRectangle<U>(i, 3, 6, 8, 9, kInk); }},
        {[](GFXimage i) { DrawRectangleClip(i, -4, 5, 12, 16, kInk); },
         [](GFXimage i) { draw::outlineRectangle<C>(i, -4, 5, 12, 16, kInk); }},
        {[](GFXimage i) { drawRectangleClip(i, -4, 5, 12, 16, kInk); },
         [](GFXimage i) { draw::outlineRectangle<C>(i, -4, 5, 12, 16, kInk); }},
        {[](GFXimage i) { DrawLine(i, 20, 1, 2, 15, kInk); }, [](GFXimage i) { draw::drawLine<U>(i, {20, 1}, {2, 15}, kInk); }},
        {[](GFXimage i) { DrawLineClip(i, -50, 17, 60, 2, kInk); },
         [](GFXimage i) { draw::drawLine<C>(i, {-50, 17}, {60, 2}, kInk); }},
        {[](GFXimage i) { DrawCircle(i, 11, 8, 6, kInk); }, [](GFXimage i) { draw::drawCircle<U>(i, 11, 8, 6, kInk); }},
        {[](GFXimage i) { DrawCircleClip(i, 20, 15, 9, kInk); }, [](GFXimage i) { draw::drawCircle<C>(i, 20, 15, 9, kInk); }},
        {[](GFXimage i) { DrawFilledCircle(i, 11, 8, 6, kInk); },
         [](GFXimage i) { draw::drawFilledCircle<U>(i, 11, 8, 6, kInk); }},
        {[](GFXimage i) { DrawFilledCircleClip(i, 0, 0, 7, kInk); },
         [](GFXimage i) { draw::drawFilledCircle<C>(i, 0, 0, 7, kInk); }},
        {[](GFXimage i) { DrawFilledTriangle(i, 1, 16, 10, 0, 22, 9, kInk); },
         [](GFXimage i) { draw::drawFilledTriangle<U>(i, {1, 16}, {10, 0}, {22, 9}, kInk); }},
        {[](GFXimage i) { DrawFilledTriangleClip(i, -9, 30, 10, -5, 30, 12, kInk); },
         [](GFXimage i) { draw::drawFilledTriangle<C>(i, {-9, 30}, {10, -5}, {30, 12}, kInk); }},
    };
    setClipRectangle(2, 3, 20, 14);
    for (size_t n = 0; n < std::size(pairs); ++n) {
        OwnedImage actual(24, 18), expected(24, 18);
        pairs[n].first(actual), pairs[n].second(expected);
        EXPECT_FALSE(pixelsSet(expected).empty()) << n;
        EXPECT_EQ(actual.pixels(), expected.pixels()) << "routine " << n;
    }
}

}  // namespace
}  // namespace zorblit
