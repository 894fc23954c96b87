// doReadKey: scan order, latching, and the character table under both layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "zorblit.h"

namespace {

constexpr uint8_t rightShift = 60, leftShift = 61, rightOption = 62, leftOption = 63;

class ReadKey : public ::testing::Test {
protected:
    void SetUp() override { releaseAll(); }
    void TearDown() override { keyboardlayout = 1; }
    static void releaseAll() {  // with every key up, one call clears all latches
        std::fill(std::begin(keyboard), std::end(keyboard), uint8_t(0));
        EXPECT_STREQ(doReadKey(), "");
        key_code = 0;
    }
    static std::string typeKey(uint8_t key) {
        keyboard[key] = 1;
        return doReadKey();
    }
};

TEST_F(ReadKey, OrderLatchesAndRelease) {
    EXPECT_FALSE(KeyPressed());
    keyboard[2] = keyboard[1] = 1;  // S and A: A comes first; held keys type once
    for (const char *text : {"a", "s", ""}) EXPECT_STREQ(doReadKey(), text);
    EXPECT_EQ(key_code, 2);
    keyboard[1] = 0;
    EXPECT_STREQ(doReadKey(), "");
    EXPECT_EQ(typeKey(1), "a");
    // A key late in the order keeps its latch until a call scans past it.
    keyboard[1] = keyboard[2] = 0;
    keyboardlayout = 0;
    EXPECT_EQ(typeKey(104), "/");
    keyboard[104] = 0;
    EXPECT_EQ(typeKey(3), "d");
    EXPECT_EQ(typeKey(104), "");
    keyboard[104] = 0;
    EXPECT_STREQ(doReadKey(), "");
    EXPECT_EQ(typeKey(104), "/");
}

TEST_F(ReadKey, KeysOutsideTheScanOnlyShowAsPressed) {
    for (const uint8_t key : {0, 37, 47, 49, 50, 52, 53, 54, 59, 60, 63, 65, 66, 71, 83, 92}) {
        EXPECT_TRUE(typeKey(key).empty() && KeyPressed()) << int(key);
        keyboard[key] = 0;
    }
    EXPECT_EQ(key_code, 0);
}

// Other layouts type letters, digits (whatever the modifiers), keypad and
// Space; punctuation keys are latched and type nothing.
TEST_F(ReadKey, OtherLayouts) {
    keyboardlayout = 2;
    keyboard[leftShift] = keyboard[rightOption] = 1;
    for (const auto &[key, text] : {std::pair<uint8_t, const char *>{1, "A"}, {7, "Z"}, {27, "1"}, {72, "0"},
                                    {67, "*"}, {51, " "}, {94, ""}, {101, ""}}) {
        EXPECT_EQ(typeKey(key), text) << int(key);
        EXPECT_EQ(key_code, key);
        EXPECT_STREQ(doReadKey(), "") << int(key);
    }
}

// Per key: US, US+Shift, German, German+Shift, German+Option, German+Option+Shift.
constexpr std::pair<uint8_t, const char *> characterTable[] = {
    {1, "a A a A å Å"},     {2, "s S s S ‚ Í"},     {3, "d D d D ∂ ™"},     {4, "f F f F ƒ Ï"},
    {5, "h H h H ª Ó"},     {6, "g G g G © Ì"},     {7, "z Z z Z Ω ˇ"},     {8, "x X x X ≈ Ù"},
    {9, "c C c C ç Ç"},     {10, "v V v V √ ◊"},    {11, "b B b B ∫ ‹"},    {12, "q Q q Q « »"},
    {13, "w W w W ∑ „"},    {14, "e E e E € ‰"},    {15, "r R r R ® ¸"},    {16, "y Y y Y ¥ ‡"},
    {17, "t T t T † ˝"},    {18, "o O o O ø Ø"},    {19, "u U u U ¨ Á"},    {20, "i I i I ⁄ Û"},
    {21, "p P p P π ∏"},    {22, "l L l L @ ﬂ"},    {23, "j J j J º ı"},    {24, "k K k K ∆ ˆ"},
    {25, "n N n N ~ ›"},    {26, "m M m M µ ˘"},    {27, "1 ! 1 ! ¡ ¬"},    {28, "2 @ 2 \" “ “"},
    {29, "3 # 3 § ¶ ¶"},    {30, "4 $ 4 $ ¢ £"},    {31, "5 % 5 % [ ﬁ"},    {32, "6 ^ 6 & ] ^"},
    {33, "7 & 7 / | |"},    {34, "8 * 8 ( { {"},    {35, "9 ( 9 ) } }"},    {36, "0 ) 0 = ≠ ≠"},
    {67, "* * * * * *"},    {68, "+ + + + + +"},    {69, "/ / / / / /"},    {70, "- - - - - -"},
    {72, "0 0 0 0 0 0"},    {81, "9 9 9 9 9 9"},    {82, ", , , , , ,"},    {93, "~ ~ ^ ° „ “"},
    {94, "- _ ß ? ¿ —"},    {95, "= + ´ ` ' ˚"},    {96, "[ { ü Ü • °"},    {97, "] } + * ± \uF8FF"},
    {98, "; : ö Ö œ Œ"},    {99, "' \" ä Ä æ Æ"},   {100, "\\ | # ' ‘ ’"},  {101, "` ~ < > ≤ ≥"},
    {102, ", < , ; ∞ ˛"},   {103, ". > . : … ÷"},   {104, "/ ? - _ – ˙"},
};

TEST_F(ReadKey, CharacterTableForBothLayouts) {
    // Layout, Shift (right key), Option (left key); the US layout ignores Option.
    constexpr struct { int layout; bool shift, option; } columns[] = {
        {0, false, true}, {0, true, false}, {1, false, false}, {1, true, false}, {1, false, true}, {1, true, true}};
    for (const auto &[key, row] : characterTable) {
        std::istringstream expected(row);
        for (const auto &column : columns) {
            std::string text;
            ASSERT_TRUE(expected >> text) << int(key);
            keyboardlayout = column.layout;
            keyboard[rightShift] = column.shift;
            keyboard[leftOption] = column.option;
            EXPECT_EQ(typeKey(key), text) << int(key) << " " << column.layout << column.shift << column.option;
            releaseAll();
        }
    }
    keyboardlayout = 1;
    keyboard[leftShift] = keyboard[rightOption] = 1;
    EXPECT_EQ(typeKey(51), " ");
}

}  // namespace
