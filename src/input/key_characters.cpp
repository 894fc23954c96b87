// Character table of the typing keys. Columns: US, US with Shift, German, German
// with Shift, German with Option, German with Option and Shift.
#include "input/key_characters.h"

#include <algorithm>
#include <iterator>

namespace zorblit {
namespace {

struct KeyRow {
    uint8_t key;
    const char *us, *usShift, *german, *germanShift, *germanOption, *germanOptionShift;
};

constexpr KeyRow keyRows[] = {
    {1, "a", "A", "a", "A", "å", "Å"},
    {2, "s", "S", "s", "S", "‚", "Í"},
    {3, "d", "D", "d", "D", "∂", "™"},
    {4, "f", "F", "f", "F", "ƒ", "Ï"},
    {5, "h", "H", "h", "H", "ª", "Ó"},
    {6, "g", "G", "g", "G", "©", "Ì"},
    {7, "z", "Z", "z", "Z", "Ω", "ˇ"},
    {8, "x", "X", "x", "X", "≈", "Ù"},
    {9, "c", "C", "c", "C", "ç", "Ç"},
    {10, "v", "V", "v", "V", "√", "◊"},
    {11, "b", "B", "b", "B", "∫", "‹"},
    {12, "q", "Q", "q", "Q", "«", "»"},
    {13, "w", "W", "w", "W", "∑", "„"},
    {14, "e", "E", "e", "E", "€", "‰"},
    {15, "r", "R", "r", "R", "®", "¸"},
    {16, "y", "Y", "y", "Y", "¥", "‡"},
    {17, "t", "T", "t", "T", "†", "˝"},
    {18, "o", "O", "o", "O", "ø", "Ø"},
    {19, "u", "U", "u", "U", "¨", "Á"},
    {20, "i", "I", "i", "I", "⁄", "Û"},
    {21, "p", "P", "p", "P", "π", "∏"},
    {22, "l", "L", "l", "L", "@", "ﬂ"},
    {23, "j", "J", "j", "J", "º", "ı"},
    {24, "k", "K", "k", "K", "∆", "ˆ"},
    {25, "n", "N", "n", "N", "~", "›"},
    {26, "m", "M", "m", "M", "µ", "˘"},
    {27, "1", "!", "1", "!", "¡", "¬"},
    {28, "2", "@", "2", "\"", "“", "“"},
    {29, "3", "#", "3", "§", "¶", "¶"},
    {30, "4", "$", "4", "$", "¢", "£"},
    {31, "5", "%", "5", "%", "[", "ﬁ"},
    {32, "6", "^", "6", "&", "]", "^"},
    {33, "7", "&", "7", "/", "|", "|"},
    {34, "8", "*", "8", "(", "{", "{"},
    {35, "9", "(", "9", ")", "}", "}"},
    {36, "0", ")", "0", "=", "≠", "≠"},
    {51, " ", " ", " ", " ", " ", " "},
    {67, "*", "*", "*", "*", "*", "*"},
    {68, "+", "+", "+", "+", "+", "+"},
    {69, "/", "/", "/", "/", "/", "/"},
    {70, "-", "-", "-", "-", "-", "-"},
    {72, "0", "0", "0", "0", "0", "0"},
    {73, "1", "1", "1", "1", "1", "1"},
    {74, "2", "2", "2", "2", "2", "2"},
    {75, "3", "3", "3", "3", "3", "3"},
    {76, "4", "4", "4", "4", "4", "4"},
    {77, "5", "5", "5", "5", "5", "5"},
    {78, "6", "6", "6", "6", "6", "6"},
    {79, "7", "7", "7", "7", "7", "7"},
    {80, "8", "8", "8", "8", "8", "8"},
    {81, "9", "9", "9", "9", "9", "9"},
    {82, ",", ",", ",", ",", ",", ","},
    {93, "~", "~", "^", "°", "„", "“"},
    {94, "-", "_", "ß", "?", "¿", "—"},
    {95, "=", "+", "´", "`", "'", "˚"},
    {96, "[", "{", "ü", "Ü", "•", "°"},
    {97, "]", "}", "+", "*", "±", "\uF8FF"},
    {98, ";", ":", "ö", "Ö", "œ", "Œ"},
    {99, "'", "\"", "ä", "Ä", "æ", "Æ"},
    {100, "\\", "|", "#", "'", "‘", "’"},
    // The grave-accent key types ` and, with Shift, ~ as engraved.
    {101, "`", "~", "<", ">", "≤", "≥"},
    {102, ",", "<", ",", ";", "∞", "˛"},
    {103, ".", ">", ".", ":", "…", "÷"},
    {104, "/", "?", "-", "_", "–", "˙"},
};

constexpr bool isDigitRowKey(uint8_t key) { return key >= 27 && key <= 36; }
constexpr bool isPunctuationKey(uint8_t key) { return key >= 93 && key <= 104; }

}  // namespace

const char *keyCharacters(uint8_t key, int32_t layout, bool shift, bool option) {
    const auto row = std::find_if(std::begin(keyRows), std::end(keyRows),
                                  [key](const KeyRow &r) { return r.key == key; });
    if (row == std::end(keyRows)) return "";
    switch (layout) {
    case 0:
        return shift ? row->usShift : row->us;
    case 1:
        if (option) return shift ? row->germanOptionShift : row->germanOption;
        return shift ? row->germanShift : row->german;
    default:
        // Only letters, digits, the keypad and Space type under unknown layouts;
        // their US columns hold exactly that.
        if (isPunctuationKey(key)) return "";
        return shift && !isDigitRowKey(key) ? row->usShift : row->us;
    }
}

}  // namespace zorblit
