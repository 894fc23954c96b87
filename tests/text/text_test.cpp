// Text drawing: hand-checked glyphs and sizes, the clipped form against the
// unclipped form drawn into a larger image, and extreme positions.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "../draw/draw_reference.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;
using test::picture;

constexpr uint32_t kInk = 0xFF12AB34;

// Selects a font for one test and restores the default.
struct FontChoice {
    explicit FontChoice(uint32_t height) { gfxFontHeight = height; }
    ~FontChoice() { gfxFontHeight = 16; }
};

std::string drawn(uint32_t width, uint32_t height, int32_t x, int32_t y, const char *text) {
    OwnedImage image(width, height);
    DrawText(image, uint32_t(x), uint32_t(y), text, kInk);
    return picture(image);
}

TEST(Text, HandCheckedGlyphs) {
    // 'A' and 'e' with an acute accent in the 8x16 font, one blank row above the
    // font's 13 rows; the second character starts 8 pixels on.
    EXPECT_EQ(drawn(16, 16, 0, 0, "A\xC3\xA9"),
              "................|................|................|...##.......#...|..#..#.....#....|"
              ".#....#.........|.#....#...####..|.#....#..#....#.|.######..######.|.#....#..#......|"
              ".#....#..#....#.|.#....#...####..|................|................|................|"
              "................|");
    // The 8x8 font sits two columns in; the box stands for a character the font
    // lacks and for a malformed byte alike.
    FontChoice small(8);
    EXPECT_EQ(drawn(8, 8, 0, 0, "g"), "........|........|........|...##...|..#..#..|...###..|.....#..|...##...|");
    for (const char *lacking : {"\xE2\x82\xAC", "\xFF", "\t"})  // euro sign, malformed, control
        EXPECT_EQ(drawn(8, 8, 0, 0, lacking), "........|.######.|.#....#.|.#....#.|.#....#.|.#....#.|.######.|........|");
    // A newline starts the next line at x, one font height down.
    EXPECT_EQ(drawn(11, 16, 3, 2, "\xC2\xA0\n-"),
              "...........|...........|...........|...........|...........|...........|...........|"
              "...........|...........|...........|...........|...........|...........|...........|"
              ".....####..|...........|");
}

// A cut-short start is one box, a bad four bytes four.
TEST(Text, MeasuredSizes) {
    const std::tuple<const char *, uint32_t, uint32_t> cases[] = {
        {nullptr, 0, 1}, {"ab\ncde\n", 3, 3}, {"\xC3\xA9\xE2\x82\xAC", 2, 1}, {"\xE2\x82" "A\xF4\x90\x80\x80", 6, 1}};
    for (uint32_t height : {8u, 12u, 16u}) {  // 12 is not 8: the 8x16 font
        FontChoice font(height);
        for (const auto &[text, columns, lines] : cases) {
            uint32_t width = 1, measured = 1;
            GetTextSize(text, &width, &measured);
            EXPECT_EQ(std::pair(width, measured), std::pair(columns * 8, lines * (height == 8 ? 8 : 16))) << height;
        }
    }
}

// A random text of up to three lines: printable ASCII and Latin-1, characters
// the fonts lack, and malformed bytes.
std::string randomText(test::TestRandom &random) {
    const char *pieces[] = {"A", "g", "#", "@", "W", "\xC3\xA9", "\xC3\xBF", "\xE2\x82\xAC", "\x01", "\xFF",
                            "\xE2\x82", " ", "\n", "_"};
    std::string text;
    int lines = 1;
    for (int64_t n = random.range(0, 10); n > 0; --n) {
        const char *piece = pieces[random.next() % std::size(pieces)];
        if (*piece == '\n' && ++lines > 3) continue;
        text += piece;
    }
    return text;
}

// DrawTextClip leaves what DrawText draws into a canvas holding both the text and
// the image, cut to the built form's limit (portable: the clip rectangle too).
TEST(Text, ClippedMatchesUnclippedCutOut) {
    test::TestRandom random(7);
    for (int round = 0; round < 3000; ++round) {
        FontChoice font(random.next() % 2 ? 8 : 16);
        OwnedImage image(uint32_t(random.range(0, 20)), uint32_t(random.range(0, 20)));
        image.fillNoise(random.next());
        random.clipRectangleWithin(-5, 25);
        const std::string text = randomText(random);
        const auto near = [&](uint32_t size) { return int32_t(random.range(-60, int64_t(size) + 8)); };
        const int32_t x = near(image.width()), y = near(image.height());
        OwnedImage canvas(200, 200);  // up to 10 columns and 3 lines, 80 pixels in
        DrawText(canvas, uint32_t(x + 80), uint32_t(y + 80), text.c_str(), kInk);
        OwnedImage expected(image);
        for (uint32_t py = 0; py < image.height(); ++py)
            for (uint32_t px = 0; px < image.width(); ++px) {
                const bool inside = ZORBLIT_PACKED_BUILD || (int64_t(px) >= clipX1 && int64_t(px) < clipX2 &&
                                                             int64_t(py) >= clipY1 && int64_t(py) < clipY2);
                if (inside && canvas.at(px + 80, py + 80) == kInk) expected.at(px, py) = kInk;
            }
        DrawTextClip(image, x, y, text.c_str(), kInk);
        ASSERT_EQ(test::compareImages(image, expected, "clip"), "") << "round " << round << " at " << x << ", " << y;
    }
    setClipRectangle(0, 0, 0, 0);
}

// Positions at the ends of the 32-bit range, with lines long enough to carry
// past an image edge when the walk is done in too few bits; nothing lands.
TEST(Text, ExtremePositionsDrawNothing) {
    setClipRectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    std::string longLine(600, 'W'), manyLines;
    for (int i = 0; i < 300; ++i) manyLines += "W\n";
    const int32_t far[] = {INT32_MIN, INT32_MIN + 7, -2000, INT32_MAX - 8, INT32_MAX - 3, INT32_MAX};
    OwnedImage image(16, 16), empty(0, 0);
    image.fillNoise(3);
    const OwnedImage before(image);
    for (int32_t x : far) {
        DrawTextClip(image, x, 0, "W", kInk), DrawTextClip(image, 0, x, "W", kInk);
        for (int32_t y : far)
            DrawTextClip(image, x, y, longLine.c_str(), kInk), DrawTextClip(image, x, y, manyLines.c_str(), kInk);
    }
    DrawTextClip(empty, 0, 0, "W", kInk), DrawText(image, 0, 0, nullptr, kInk), DrawTextClip(image, 0, 0, nullptr, kInk);
    EXPECT_EQ(test::compareImages(image, before, "far"), "");
    // A text reaching in from far above lands with the lower half of its last line.
    DrawTextClip(image, 0, -16 * 299 - 8, manyLines.c_str(), kInk);
    int ink[2] = {0, 0};
    for (uint32_t i = 0; i < 256; ++i) ink[i >= 128] += image.at(i % 16, i / 16) == kInk;
    EXPECT_TRUE(ink[0] > 0 && ink[1] == 0) << ink[0] << " " << ink[1];
    setClipRectangle(0, 0, 0, 0);
}

}  // namespace
}  // namespace zorblit
