// doReadKey: the order keys are reported in, latching, and the character table
// under both layouts; KeyPressed.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>
#include <string>
#include <vector>

#include "zorblit.h"

namespace {

constexpr uint8_t rightShift = 60, leftShift = 61, rightOption = 62, leftOption = 63;

class ReadKey : public ::testing::Test {
protected:
    void SetUp() override { releaseAll(); }
    void TearDown() override {
        releaseAll();
        keyboardlayout = 1;
    }
    // With every key up, one call clears all latches.
    static void releaseAll() {
        std::fill(std::begin(keyboard), std::end(keyboard), uint8_t(0));
        EXPECT_STREQ(doReadKey(), "");
        key_code = 0;
    }
};

TEST_F(ReadKey, NothingDownTypesNothing) {
    key_code = 42;
    EXPECT_STREQ(doReadKey(), "");
    EXPECT_EQ(key_code, 42);
    EXPECT_FALSE(KeyPressed());
}

TEST_F(ReadKey, HeldKeyTypesOnceAndAgainAfterRelease) {
    keyboard[1] = 1;
    EXPECT_STREQ(doReadKey(), "a");
    EXPECT_EQ(key_code, 1);
    EXPECT_STREQ(doReadKey(), "");
    EXPECT_STREQ(doReadKey(), "");
    keyboard[1] = 0;
    EXPECT_STREQ(doReadKey(), "");
    keyboard[1] = 1;
    EXPECT_STREQ(doReadKey(), "a");
}

TEST_F(ReadKey, KeysComeOutInScanOrder) {
    keyboard[2] = keyboard[1] = 1;  // S and A
    EXPECT_STREQ(doReadKey(), "a");
    EXPECT_STREQ(doReadKey(), "s");
    EXPECT_EQ(key_code, 2);
    EXPECT_STREQ(doReadKey(), "");
    EXPECT_EQ(key_code, 2);
}

// A key released and pressed again between two calls that stop before it is
// never seen up, so its latch holds.
TEST_F(ReadKey, LateKeyKeepsLatchUntilAScanPassesIt) {
    keyboardlayout = 0;
    keyboard[104] = 1;
    EXPECT_STREQ(doReadKey(), "/");
    keyboard[104] = 0;
    keyboard[1] = 1;
    EXPECT_STREQ(doReadKey(), "a");
    keyboard[104] = 1;
    EXPECT_STREQ(doReadKey(), "");
    keyboard[104] = 0;
    EXPECT_STREQ(doReadKey(), "");
    keyboard[104] = 1;
    EXPECT_STREQ(doReadKey(), "/");
}

TEST_F(ReadKey, ModifiersAndKeysOutsideTheScanAreNeverTyped) {
    for (const uint8_t key : {0, 37, 47, 49, 50, 52, 53, 54, 58, 59, 60, 61, 62, 63, 64, 65, 66, 71, 83, 92}) {
        keyboard[key] = 1;
        EXPECT_TRUE(KeyPressed()) << int(key);
        EXPECT_STREQ(doReadKey(), "") << int(key);
        keyboard[key] = 0;
    }
    EXPECT_EQ(key_code, 0);
}

TEST_F(ReadKey, OptionOnlyCountsUnderTheGermanLayout) {
    for (const auto &[layout, plain, shifted] : {std::tuple{0, "a", "A"}, std::tuple{1, "å", "Å"}}) {
        keyboardlayout = layout;
        keyboard[leftOption] = keyboard[1] = 1;
        EXPECT_STREQ(doReadKey(), plain);
        keyboard[1] = 0;
        doReadKey();
        keyboard[leftShift] = keyboard[1] = 1;
        EXPECT_STREQ(doReadKey(), shifted);
        releaseAll();
    }
}

TEST_F(ReadKey, OtherLayoutsTypeOnlyLettersDigitsKeypadAndSpace) {
    keyboardlayout = 2;
    keyboard[leftShift] = keyboard[rightOption] = 1;
    const std::pair<uint8_t, const char *> expected[] = {
        {1, "A"}, {7, "Z"}, {27, "1"}, {36, "0"}, {72, "0"}, {67, "*"}, {51, " "}, {94, ""}, {101, ""}};
    for (const auto &[key, text] : expected) {
        keyboard[key] = 1;
        EXPECT_STREQ(doReadKey(), text) << int(key);
        EXPECT_EQ(key_code, key);
        EXPECT_STREQ(doReadKey(), "") << "latched " << int(key);
        keyboard[key] = 0;
    }
    keyboard[leftShift] = 0;
    keyboard[16] = 1;
    EXPECT_STREQ(doReadKey(), "y");
}

// Each row: the key's strings for US, US+Shift, German, German+Shift,
// German+Option, German+Option+Shift, separated by single spaces.
struct Row {
    uint8_t key;
    const char *columns;
};
constexpr Row characterTable[] = {
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
    {72, "0 0 0 0 0 0"},    {76, "4 4 4 4 4 4"},    {81, "9 9 9 9 9 9"},    {82, ", , , , , ,"},
    {93, "~ ~ ^ ° „ “"},    {94, "- _ ß ? ¿ —"},    {95, "= + ´ ` ' ˚"},    {96, "[ { ü Ü • °"},
    {97, "] } + * ± \uF8FF"}, {98, "; : ö Ö œ Œ"},  {99, "' \" ä Ä æ Æ"},   {100, "\\ | # ' ‘ ’"},
    {101, "` ~ < > ≤ ≥"},   {102, ", < , ; ∞ ˛"},   {103, ". > . : … ÷"},   {104, "/ ? - _ – ˙"},
};

std::vector<std::string> columnsOf(const char *row) {
    std::vector<std::string> columns;
    std::istringstream in(row);
    for (std::string column; in >> column;) columns.push_back(column);
    return columns;
}

TEST_F(ReadKey, CharacterTableForBothLayouts) {
    struct Column {
        int layout;
        bool shift, option;
    };
    // The US layout ignores Option: its columns are checked with Option down too.
    const Column columns[] = {{0, false, true}, {0, true, false}, {1, false, false},
                              {1, true, false}, {1, false, true}, {1, true, true}};
    for (const Row &row : characterTable) {
        const std::vector<std::string> expected = columnsOf(row.columns);
        ASSERT_EQ(expected.size(), 6u) << int(row.key);
        for (size_t c = 0; c < 6; ++c) {
            keyboardlayout = columns[c].layout;
            keyboard[rightShift] = columns[c].shift;
            keyboard[leftOption] = columns[c].option;
            keyboard[row.key] = 1;
            EXPECT_EQ(doReadKey(), expected[c]) << "key " << int(row.key) << " column " << c;
            EXPECT_EQ(key_code, row.key);
            releaseAll();
        }
    }
}

TEST_F(ReadKey, SpaceUnderEveryLayoutAndModifier) {
    for (int layout = 0; layout <= 2; ++layout)
        for (int modifiers = 0; modifiers < 4; ++modifiers) {
            keyboardlayout = layout;
            keyboard[leftShift] = modifiers & 1;
            keyboard[rightOption] = modifiers >> 1;
            keyboard[51] = 1;
            EXPECT_STREQ(doReadKey(), " ");
            releaseAll();
        }
}

}  // namespace
