// The worked examples of every shape, unclipped bars in any order, and the
// exported routines.
#include <gtest/gtest.h>

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

constexpr uint32_t kInk = 0xFF12AB34;

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

    OwnedImage triangle(6, 6);  // corner orders and flat triangles are in the sweeps
    DrawFilledTriangle(triangle, 0, 4, 4, 0, 0, 0, kInk);
    EXPECT_EQ(picture(triangle), "####..|###...|##....|#.....|......|......|");
    OwnedImage lines(8, 8);
    DrawLine(lines, 0, 0, 2, 1, kInk), DrawLine(lines, 5, 5, 5, 5, kInk);
    DrawLine(lines, 6, 1, 6, 3, kInk), DrawLine(lines, 3, 7, 0, 7, kInk);
    EXPECT_EQ(picture(lines), "##......|.##...#.|......#.|......#.|........|.....#..|........|####....|");
}

// Unclipped bars take their corners in any order, except that only the packed
// form draws one given bottom first. The clipped ones are in the sweeps.
TEST(Examples, UnclippedBarsInAnyOrder) {
    OwnedImage image(6, 6);
    DrawBar(image, 4, 0, 1, 1, kInk), DrawBar(image, 0, 5, 2, 3, kInk);
    EXPECT_EQ(picture(image), ZORBLIT_PACKED_BUILD ? ".####.|.####.|......|###...|###...|###...|"
                                                   : ".####.|.####.|......|......|......|......|");
}

// The outline as drawn by hand, then the exported routines the examples leave out
// against the built form's template, each on its own image and across its edges.
TEST(Examples, ExportedRoutines) {
    setClipRectangle(0, 0, 8, 8);
    OwnedImage image(8, 8);
    DrawRectangle(image, 6, 5, 1, 2, kInk);
    EXPECT_EQ(picture(image), "........|........|.######.|.#....#.|.#....#.|.######.|........|........|");
    DrawRectangleClip(image, -3, 1, 10, 6, kInk);  // rows only: the columns lie outside
    EXPECT_EQ(picture(image), "........|########|.######.|.#....#.|.#....#.|.######.|########|........|");

    using C = draw::Clipped<BuiltForm>;
    using U = draw::Unclipped<BuiltForm>;
#define PAIR(exported, form) {[](GFXimage i) { exported; }, [](GFXimage i) { form; }}
    const std::pair<void (*)(GFXimage), void (*)(GFXimage)> pairs[] = {
        PAIR(DrawVLineClip(i, -9, 40, 1, kInk), C::vline(i, -9, 40, 1, kInk)),
        PAIR(drawRectangle(i, 8, 9, 3, 6, kInk), draw::outlineRectangle<U>(i, 3, 6, 8, 9, kInk)),
        PAIR(drawRectangleClip(i, -4, 5, 12, 16, kInk), draw::outlineRectangle<C>(i, -4, 5, 12, 16, kInk)),
        PAIR(DrawLineClip(i, -50, 17, 60, 2, kInk), draw::drawLine<C>(i, {-50, 17}, {60, 2}, kInk)),
        PAIR(DrawFilledCircleClip(i, 0, 0, 7, kInk), draw::drawFilledCircle<C>(i, 0, 0, 7, kInk)),
        PAIR(DrawFilledTriangleClip(i, -9, 30, 10, -5, 30, 12, kInk),
             draw::drawFilledTriangle<C>(i, {-9, 30}, {10, -5}, {30, 12}, kInk)),
    };
#undef PAIR
    setClipRectangle(2, 3, 20, 14);
    for (size_t n = 0; n < std::size(pairs); ++n) {
        OwnedImage actual(24, 18), expected(24, 18);
        pairs[n].first(actual), pairs[n].second(expected);
        EXPECT_GT(test::inked(expected), 0u) << n;
        EXPECT_EQ(actual.pixels(), expected.pixels()) << "routine " << n;
    }
}

}  // namespace
}  // namespace zorblit
