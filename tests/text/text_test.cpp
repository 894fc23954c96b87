// Text drawing: hand-checked glyphs, the clipped form against the unclipped form
// drawn into a larger image, extreme positions, and the measured size against
// the pixels drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "test_images.h"

namespace zorblit {
namespace {

using test::OwnedImage;

constexpr uint32_t kInk = 0xFF12AB34;

// One character per pixel, '#' where the pixel is set, rows ended by '|'.
std::string picture(const GFXimage &image) {
    std::string text;
    for (uint32_t y = 0; y < image.height; ++y, text += '|')
        for (uint32_t x = 0; x < image.width; ++x) text += image.data[size_t(y) * image.width + x] ? '#' : '.';
    return text;
}

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
    const std::string box = "........|.######.|.#....#.|.#....#.|.#....#.|.#....#.|.######.|........|";
    EXPECT_EQ(drawn(8, 8, 0, 0, "\xE2\x82\xAC"), box);  // euro sign
    EXPECT_EQ(drawn(8, 8, 0, 0, "\xFF"), box);
    EXPECT_EQ(drawn(8, 8, 0, 0, "\t"), box);
    // A newline starts the next line at x, one font height down.
    EXPECT_EQ(drawn(11, 16, 3, 2, "\xC2\xA0\n-"),
              "...........|...........|...........|...........|...........|...........|...........|"
              "...........|...........|...........|...........|...........|...........|...........|"
              ".....####..|...........|");
}

TEST(Text, MeasuredSizes) {
    const struct {
        const char *text;
        uint32_t columns, lines;
    } cases[] = {
        {"", 0, 1}, {nullptr, 0, 1}, {"abc", 3, 1}, {"ab\ncde\n", 3, 3}, {"\n\n", 0, 3},
        {"\xC3\xA9\xE2\x82\xAC", 2, 1},  // two characters in five bytes
        {"\xE2\x82" "A\xF4\x90\x80\x80", 6, 1},  // a cut-short start is one box, a bad four bytes four
    };
    for (uint32_t height : {8u, 16u}) {
        FontChoice font(height);
        for (const auto &c : cases) {
            uint32_t width = 1, lines = 1;
            GetTextSize(c.text, &width, &lines);
            EXPECT_EQ(width, c.columns * 8) << (c.text ? c.text : "NULL");
            EXPECT_EQ(lines, c.lines * height) << (c.text ? c.text : "NULL");
        }
    }
    FontChoice odd(12);  // not 8: the 8x16 font
    uint32_t height = 0;
    GetTextSize("x", nullptr, &height);
    EXPECT_EQ(height, 16u);
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

// Draws text unclipped into an image that holds both it and the test image, and
// returns what the test image should hold after DrawTextClip: its own pixels,
// with the ink that falls inside the limit.
OwnedImage expectedClip(const OwnedImage &before, int32_t x, int32_t y, const std::string &text) {
    uint32_t width, height;
    GetTextSize(text.c_str(), &width, &height);
    const int64_t left = std::min<int64_t>(x, 0), top = std::min<int64_t>(y, 0);
    OwnedImage canvas(uint32_t(std::max<int64_t>(int64_t(x) + width, before.width()) - left),
                      uint32_t(std::max<int64_t>(int64_t(y) + height, before.height()) - top));
    DrawText(canvas, uint32_t(x - left), uint32_t(y - top), text.c_str(), kInk);
    // The portable form keeps to the clip rectangle as well as the image.
    const bool clipRectangle = !ZORBLIT_PACKED_BUILD;
    OwnedImage expected(before);
    for (uint32_t py = 0; py < before.height(); ++py)
        for (uint32_t px = 0; px < before.width(); ++px) {
            const bool inside = !clipRectangle || (int64_t(px) >= clipX1 && int64_t(px) < clipX2 &&
                                                   int64_t(py) >= clipY1 && int64_t(py) < clipY2);
            if (inside && canvas.at(uint32_t(px - left), uint32_t(py - top)) == kInk) expected.at(px, py) = kInk;
        }
    return expected;
}

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
        const OwnedImage expected = expectedClip(image, x, y, text);
        DrawTextClip(image, x, y, text.c_str(), kInk);
        ASSERT_EQ(test::compareImages(image, expected, "clip"), "") << "round " << round << " at " << x << ", " << y;
    }
    setClipRectangle(0, 0, 0, 0);
}

// Positions at the ends of the 32-bit range, with lines long enough to carry
// past an image edge when the walk is done in too few bits; nothing lands.
TEST(Text, ExtremePositionsDrawNothing) {
    setClipRectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    std::string longLine(600, 'W');
    std::string manyLines;
    for (int i = 0; i < 300; ++i) manyLines += "W\n";
    const int32_t far[] = {INT32_MIN, INT32_MIN + 7, -2000, INT32_MAX - 8, INT32_MAX - 3, INT32_MAX};
    OwnedImage image(16, 16);
    image.fillNoise(3);
    const OwnedImage before(image);
    for (int32_t x : far)
        for (int32_t y : far)
            for (const std::string *text : {&longLine, &manyLines}) DrawTextClip(image, x, y, text->c_str(), kInk);
    for (int32_t v : far) DrawTextClip(image, v, 0, "W", kInk), DrawTextClip(image, 0, v, "W", kInk);
    EXPECT_EQ(test::compareImages(image, before, "far"), "");
    // A text reaching in from far above lands with the lower half of its last line.
    DrawTextClip(image, 0, -16 * 299 - 8, manyLines.c_str(), kInk);
    int inkAbove = 0, inkBelow = 0;
    for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 0; x < 16; ++x) (y < 8 ? inkAbove : inkBelow) += image.at(x, y) == kInk;
    EXPECT_GT(inkAbove, 0);
    EXPECT_EQ(inkBelow, 0);
    OwnedImage empty(0, 0);
    DrawTextClip(empty, 0, 0, "W", kInk);
    DrawText(image, 0, 0, nullptr, kInk);
    DrawTextClip(image, 0, 0, nullptr, kInk);
    setClipRectangle(0, 0, 0, 0);
}

// Every pixel drawn lies inside the measured size, and the ink reaches its far
// side: the last line, the longest, ends in boxes whose outline lies one column
// in from the cell's right and ends on the baseline.
TEST(Text, MeasuredSizeHoldsTheInk) {
    test::TestRandom random(11);
    for (int round = 0; round < 500; ++round) {
        const uint32_t fontHeight = random.next() % 2 ? 8 : 16;
        FontChoice font(fontHeight);
        const std::string text = randomText(random) + "\n" + std::string(11, '\x01');
        const uint32_t lines = uint32_t(std::count(text.begin(), text.end(), '\n')) + 1;
        uint32_t width, height;
        GetTextSize(text.c_str(), &width, &height);
        ASSERT_EQ(width, 88u);
        ASSERT_EQ(height, lines * fontHeight);
        OwnedImage image(width + 4, height + 4);
        DrawText(image, 2, 2, text.c_str(), kInk);
        uint32_t right = 0, bottom = 0;
        for (uint32_t y = 0; y < image.height(); ++y)
            for (uint32_t x = 0; x < image.width(); ++x)
                if (image.at(x, y) == kInk) {
                    ASSERT_TRUE(x >= 2 && x < width + 2 && y >= 2 && y < height + 2) << round;
                    right = std::max(right, x), bottom = std::max(bottom, y);
                }
        EXPECT_EQ(right, width);
        EXPECT_EQ(bottom, 2 + height - fontHeight + (fontHeight == 16 ? 11 : 6));
    }
}

}  // namespace
}  // namespace zorblit
