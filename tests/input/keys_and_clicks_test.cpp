// doReadKey's scan order, latching and character table under each layout; the
// click hold-off, click latches and double clicks on a hand-driven clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "input/report_latches.h"
#include "test_clock.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

constexpr uint8_t rightShift = 60, leftShift = 61, rightOption = 62, leftOption = 63;

struct ReadKey : ::testing::Test {
    void SetUp() override { releaseAll(); }
    void TearDown() override { keyboardlayout = 1; }
    static void releaseAll() {  // with every key up, one call clears all latches
        std::fill(std::begin(keyboard), std::end(keyboard), uint8_t(0));
        EXPECT_STREQ(doReadKey(), "");
    }
};

// Held keys type once, in scan order (B before C, whose key number is lower); a
// key late in the order keeps its latch until a call scans past it (D returns first).
TEST_F(ReadKey, OrderLatchesAndRelease) {
    keyboardlayout = 0;
    // Keys put down (+) or let go (-) before each call, and what the call types.
    const std::pair<std::vector<int>, const char *> steps[] = {
        {{9, 11}, "b"}, {{}, "c"}, {{}, ""}, {{-11}, ""}, {{11}, "b"}, {{-11, -9, 104}, "/"}, {{-104, 3}, "d"},
        {{104}, ""}, {{-104}, ""}, {{104}, "/"}};
    for (const auto &[keys, text] : steps) {
        for (const int key : keys) keyboard[std::abs(key)] = key > 0;
        EXPECT_STREQ(doReadKey(), text) << keys.size();
    }
    // Keys outside the scan only show as pressed.
    releaseAll();
    keyboard[92] = 1;
    EXPECT_TRUE(KeyPressed() && *doReadKey() == 0);
}

// Per key: US, US+Shift, German, German+Shift, German+Option, German+Option+Shift,
// another layout with Shift and Option (∅: nothing, ␣: a space). Other layouts
// type only letters, digits (whatever the modifiers), the keypad and Space. Keys
// of each kind: letters, digits, keypad, punctuation.
constexpr std::pair<uint8_t, const char *> characterTable[] = {
    {1, "a A a A å Å A"},   {7, "z Z z Z Ω ˇ Z"},   {16, "y Y y Y ¥ ‡ Y"},  {28, "2 @ 2 \" “ “ 2"},
    {36, "0 ) 0 = ≠ ≠ 0"},  {67, "* * * * * * *"},  {82, ", , , , , , ,"},  {93, "~ ~ ^ ° „ “ ∅"},
    {94, "- _ ß ? ¿ — ∅"},  {97, "] } + * ± \uF8FF ∅"}, {100, "\\ | # ' ‘ ’ ∅"}, {51, "␣ ␣ ␣ ␣ ␣ ␣ ␣"},
};

TEST_F(ReadKey, CharacterTableForEveryLayout) {
    // Layout, Shift key, Option key (0: none; key 0 is outside the scan); the US layout ignores Option.
    constexpr struct { int layout; uint8_t shift, option; } columns[] = {
        {0, 0, leftOption},         {0, rightShift, 0}, {1, 0, 0}, {1, rightShift, 0}, {1, 0, leftOption},
        {1, rightShift, leftOption}, {2, leftShift, rightOption}};
    for (const auto &[key, row] : characterTable) {
        std::istringstream expected(row);
        for (const auto &column : columns) {
            std::string text;
            ASSERT_TRUE(expected >> text) << int(key);
            keyboardlayout = column.layout;
            keyboard[column.shift] = keyboard[column.option] = keyboard[key] = 1;
            EXPECT_EQ(doReadKey(), text == "∅" ? "" : text == "␣" ? " " : text) << int(key) << " " << column.layout;
            releaseAll();
        }
    }
}

struct MouseClicks : ::testing::Test {
    void SetUp() override {
        mouseL = mouseR = false;
        clearReleasedClickLatches();
        ManualClock::advance(10'000);  // past any hold-off or double-click window
        mouseLDoubleClick();
    }
    void TearDown() override { gfxMouseClickDelay = 256; }
    ManualClock clock;
};

// The hold-off ends strictly after gfxMouseClickDelay (here not the default),
// and a press inside it is reported once it has passed; a press is reported once
// until a latch clear sees it up.
TEST_F(MouseClicks, HoldOffAndOneClickPerPress) {
    mouseL = mouseR = true;
    gfxMouseClickDelay = 100;
    DelayMouse();
    ManualClock::advance(100);
    EXPECT_FALSE(mouseClickable() || mouseLclick());
    ManualClock::advance(1);
    EXPECT_TRUE(mouseClickable() && mouseLclick() && !mouseLclick());
    mouseL = false;
    clearReleasedClickLatches();
    mouseL = true;
    EXPECT_TRUE(mouseRclick() && !mouseRclick() && mouseLclick());
}

// Frames as D (button down) or U (up), the milliseconds since the previous frame,
// and ! where a double click is reported. Down, up, down, down: a second press
// 255 ms after the first counts, on the frame after it, and only once; 256 ms
// after it does not. After a report a new pair counts only once the window has
// run out. A held button never is one.
TEST_F(MouseClicks, DoubleClickSequences) {
    std::string held;
    for (int frame = 0; frame < 63; ++frame) held += "D16 ";
    for (const std::string &sequence : {std::string("D0 U100 D155 D16! D16"), std::string("D0 U100 D156 D16 U16"),
                                        std::string("D0 U20 D20 D20! U20 D20 D20 U20 U200 D20 U20 D20 D20!"), held}) {
        SetUp();
        std::istringstream frames(sequence);
        for (std::string frame; frames >> frame;) {
            ManualClock::advance(std::stoul(frame.substr(1)));
            mouseL = frame[0] == 'D';
            EXPECT_EQ(mouseLDoubleClick(), frame.back() == '!') << sequence << " at " << frame;
        }
    }
}

}  // namespace
}  // namespace zorblit::test
