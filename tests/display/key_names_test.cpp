// The header's key names against the key translation: each name is the number
// its physical key (an SDL scancode, named independently) lands on, and every
// number a key can give has a name.
#include <gtest/gtest.h>

#include <set>

#include "display/key_table.h"
#include "display/sdl_key_codes.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

#define KEY(name, scancode) {ZORBLIT_KEY_##name, SDL_SCANCODE_##scancode}
constexpr struct { int number; SDL_Scancode scancode; } kNamedKeys[] = {
    KEY(A, A), KEY(B, B), KEY(C, C), KEY(D, D), KEY(E, E), KEY(F, F), KEY(G, G), KEY(H, H), KEY(I, I),
    KEY(J, J), KEY(K, K), KEY(L, L), KEY(M, M), KEY(N, N), KEY(O, O), KEY(P, P), KEY(Q, Q), KEY(R, R),
    KEY(S, S), KEY(T, T), KEY(U, U), KEY(V, V), KEY(W, W), KEY(X, X), KEY(Y, Y), KEY(Z, Z),
    KEY(1, 1), KEY(2, 2), KEY(3, 3), KEY(4, 4), KEY(5, 5), KEY(6, 6), KEY(7, 7), KEY(8, 8), KEY(9, 9), KEY(0, 0),
    KEY(F1, F1), KEY(F2, F2), KEY(F3, F3), KEY(F4, F4), KEY(F5, F5), KEY(F6, F6), KEY(F7, F7), KEY(F8, F8),
    KEY(F9, F9), KEY(F10, F10), KEY(F12, F12), KEY(F13, F13), KEY(F14, F14), KEY(F15, F15),
    KEY(RETURN, RETURN), KEY(TAB, TAB), KEY(SPACE, SPACE), KEY(BACKSPACE, BACKSPACE), KEY(ESCAPE, ESCAPE),
    KEY(CAPS_LOCK, CAPSLOCK), KEY(RIGHT_LOGO, RGUI), KEY(LEFT_LOGO, LGUI), KEY(RIGHT_SHIFT, RSHIFT),
    KEY(LEFT_SHIFT, LSHIFT), KEY(RIGHT_ALT, RALT), KEY(LEFT_ALT, LALT), KEY(RIGHT_CONTROL, RCTRL),
    KEY(LEFT_CONTROL, LCTRL), KEY(KEYPAD_CLEAR, NUMLOCKCLEAR), KEY(KEYPAD_MULTIPLY, KP_MULTIPLY),
    KEY(KEYPAD_PLUS, KP_PLUS), KEY(KEYPAD_DIVIDE, KP_DIVIDE), KEY(KEYPAD_MINUS, KP_MINUS),
    KEY(KEYPAD_EQUALS, KP_EQUALS), KEY(KEYPAD_0, KP_0), KEY(KEYPAD_1, KP_1), KEY(KEYPAD_2, KP_2),
    KEY(KEYPAD_3, KP_3), KEY(KEYPAD_4, KP_4), KEY(KEYPAD_5, KP_5), KEY(KEYPAD_6, KP_6), KEY(KEYPAD_7, KP_7),
    KEY(KEYPAD_8, KP_8), KEY(KEYPAD_9, KP_9), KEY(KEYPAD_COMMA, KP_COMMA), KEY(INSERT, INSERT),
    KEY(DELETE, DELETE), KEY(HOME, HOME), KEY(END, END), KEY(PAGE_UP, PAGEUP), KEY(PAGE_DOWN, PAGEDOWN),
    KEY(LEFT, LEFT), KEY(RIGHT, RIGHT), KEY(DOWN, DOWN), KEY(UP, UP), KEY(GRAVE, GRAVE), KEY(MINUS, MINUS),
    KEY(EQUALS, EQUALS), KEY(LEFT_BRACKET, LEFTBRACKET), KEY(RIGHT_BRACKET, RIGHTBRACKET),
    KEY(SEMICOLON, SEMICOLON), KEY(APOSTROPHE, APOSTROPHE), KEY(BACKSLASH, BACKSLASH),
    KEY(NON_US_BACKSLASH, NONUSBACKSLASH), KEY(COMMA, COMMA), KEY(PERIOD, PERIOD), KEY(SLASH, SLASH),
};
#undef KEY

uint8_t numberOf(SDL_Scancode scancode) { return keyNumberForCode(keyCodeForScancode(scancode)); }

TEST(KeyNames, MatchTheTranslationAndCoverEveryKey) {
    keyboardlayout = 0;
    std::set<int> named;
    for (const auto &[number, scancode] : kNamedKeys) {
        EXPECT_EQ(numberOf(scancode), number) << SDL_GetScancodeName(scancode);
        EXPECT_TRUE(named.insert(number).second) << number << " named twice";
    }
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const uint8_t number = numberOf(SDL_Scancode(scancode));
        EXPECT_TRUE(number == 0 || named.count(number)) << "no name for key number " << int(number);
    }
    EXPECT_EQ(named.size(), 103u);  // 1..104 but 47, which no key gives
    // Under the German layout the letter each key types keeps its name.
    keyboardlayout = 1;
    EXPECT_EQ(numberOf(SDL_SCANCODE_Z), ZORBLIT_KEY_Y);
    EXPECT_EQ(numberOf(SDL_SCANCODE_Y), ZORBLIT_KEY_Z);
    keyboardlayout = 1;
}

}  // namespace
}  // namespace zorblit::test
