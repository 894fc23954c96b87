#include "display/sdl_key_codes.h"

#include <array>

#include "display/key_table.h"

namespace zorblit {
namespace {

struct ScancodeCode {
    SDL_Scancode scancode;
    uint8_t code;
};

// The key left of 1 is the ISO section key and the key right of left Shift on
// ISO keyboards the grave-accent key, so a German keyboard gives ^ and <.
constexpr ScancodeCode kCodes[] = {
    {SDL_SCANCODE_A, 0},           {SDL_SCANCODE_S, 1},         {SDL_SCANCODE_D, 2},
    {SDL_SCANCODE_F, 3},           {SDL_SCANCODE_H, 4},         {SDL_SCANCODE_G, 5},
    {SDL_SCANCODE_Z, 6},           {SDL_SCANCODE_X, 7},         {SDL_SCANCODE_C, 8},
    {SDL_SCANCODE_V, 9},           {SDL_SCANCODE_GRAVE, 10},    {SDL_SCANCODE_B, 11},
    {SDL_SCANCODE_Q, 12},          {SDL_SCANCODE_W, 13},        {SDL_SCANCODE_E, 14},
    {SDL_SCANCODE_R, 15},          {SDL_SCANCODE_Y, 16},        {SDL_SCANCODE_T, 17},
    {SDL_SCANCODE_1, 18},          {SDL_SCANCODE_2, 19},        {SDL_SCANCODE_3, 20},
    {SDL_SCANCODE_4, 21},          {SDL_SCANCODE_6, 22},        {SDL_SCANCODE_5, 23},
    {SDL_SCANCODE_EQUALS, 24},     {SDL_SCANCODE_9, 25},        {SDL_SCANCODE_7, 26},
    {SDL_SCANCODE_MINUS, 27},      {SDL_SCANCODE_8, 28},        {SDL_SCANCODE_0, 29},
    {SDL_SCANCODE_RIGHTBRACKET, 30}, {SDL_SCANCODE_O, 31},      {SDL_SCANCODE_U, 32},
    {SDL_SCANCODE_LEFTBRACKET, 33}, {SDL_SCANCODE_I, 34},       {SDL_SCANCODE_P, 35},
    {SDL_SCANCODE_RETURN, 36},     {SDL_SCANCODE_L, 37},        {SDL_SCANCODE_J, 38},
    {SDL_SCANCODE_APOSTROPHE, 39}, {SDL_SCANCODE_K, 40},        {SDL_SCANCODE_SEMICOLON, 41},
    {SDL_SCANCODE_BACKSLASH, 42},  {SDL_SCANCODE_NONUSHASH, 42}, {SDL_SCANCODE_COMMA, 43},
    {SDL_SCANCODE_SLASH, 44},      {SDL_SCANCODE_N, 45},        {SDL_SCANCODE_M, 46},
    {SDL_SCANCODE_PERIOD, 47},     {SDL_SCANCODE_TAB, 48},      {SDL_SCANCODE_SPACE, 49},
    {SDL_SCANCODE_NONUSBACKSLASH, 50}, {SDL_SCANCODE_BACKSPACE, 51}, {SDL_SCANCODE_ESCAPE, 53},
    {SDL_SCANCODE_RGUI, 54},       {SDL_SCANCODE_LGUI, 55},     {SDL_SCANCODE_LSHIFT, 56},
    {SDL_SCANCODE_CAPSLOCK, 57},   {SDL_SCANCODE_LALT, 58},     {SDL_SCANCODE_LCTRL, 59},
    {SDL_SCANCODE_RSHIFT, 60},     {SDL_SCANCODE_RALT, 61},     {SDL_SCANCODE_RCTRL, 62},
    {SDL_SCANCODE_KP_PERIOD, 65},  {SDL_SCANCODE_KP_MULTIPLY, 67}, {SDL_SCANCODE_KP_PLUS, 69},
    {SDL_SCANCODE_NUMLOCKCLEAR, 71}, {SDL_SCANCODE_KP_DIVIDE, 75}, {SDL_SCANCODE_KP_ENTER, 76},
    {SDL_SCANCODE_KP_MINUS, 78},   {SDL_SCANCODE_KP_EQUALS, 81}, {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_KP_1, 83},       {SDL_SCANCODE_KP_2, 84},     {SDL_SCANCODE_KP_3, 85},
    {SDL_SCANCODE_KP_4, 86},       {SDL_SCANCODE_KP_5, 87},     {SDL_SCANCODE_KP_6, 88},
    {SDL_SCANCODE_KP_7, 89},       {SDL_SCANCODE_KP_8, 91},     {SDL_SCANCODE_KP_9, 92},
    {SDL_SCANCODE_KP_COMMA, 95},   {SDL_SCANCODE_F5, 96},       {SDL_SCANCODE_F6, 97},
    {SDL_SCANCODE_F7, 98},         {SDL_SCANCODE_F3, 99},       {SDL_SCANCODE_F8, 100},
    {SDL_SCANCODE_F9, 101},        {SDL_SCANCODE_F11, 103},     {SDL_SCANCODE_F13, 105},
    {SDL_SCANCODE_F14, 107},       {SDL_SCANCODE_F10, 109},     {SDL_SCANCODE_F12, 111},
    {SDL_SCANCODE_F15, 113},       {SDL_SCANCODE_INSERT, 114},  {SDL_SCANCODE_HELP, 114},
    {SDL_SCANCODE_HOME, 115},      {SDL_SCANCODE_PAGEUP, 116},  {SDL_SCANCODE_DELETE, 117},
    {SDL_SCANCODE_F4, 118},        {SDL_SCANCODE_END, 119},     {SDL_SCANCODE_F2, 120},
    {SDL_SCANCODE_PAGEDOWN, 121},  {SDL_SCANCODE_F1, 122},      {SDL_SCANCODE_LEFT, 123},
    {SDL_SCANCODE_RIGHT, 124},     {SDL_SCANCODE_DOWN, 125},    {SDL_SCANCODE_UP, 126},
};

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> makeCodes() {
    std::array<uint8_t, SDL_NUM_SCANCODES> codes{};
    for (uint8_t &code : codes) code = kUntranslatedKeyCode;
    for (const ScancodeCode &entry : kCodes) codes[entry.scancode] = entry.code;
    return codes;
}

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> kCodeForScancode = makeCodes();

}  // namespace

uint32_t keyCodeForScancode(SDL_Scancode scancode) {
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return kUntranslatedKeyCode;
    return kCodeForScancode[scancode];
}

bool isModifierCode(uint32_t code) { return code >= 54 && code <= 62 && code != keycode::kCapsLock; }

}  // namespace zorblit
