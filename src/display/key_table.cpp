#include "display/key_table.h"

#include <array>

#include "zorblit.h"

namespace zorblit {
namespace {

constexpr uint32_t kCodeZ = 6;  // the key right of left Shift on a US keyboard
constexpr uint32_t kCodeY = 16;

constexpr std::array<uint8_t, 256> makeTable() {
    std::array<uint8_t, 256> t{};
    constexpr uint8_t pairs[][2] = {
        {0, 1},    {1, 2},    {2, 3},    {3, 4},    {4, 5},    {5, 6},    {7, 8},    {8, 9},
        {9, 10},   {10, 93},  {11, 11},  {12, 12},  {13, 13},  {14, 14},  {15, 15},  {17, 17},
        {18, 27},  {19, 28},  {20, 29},  {21, 30},  {22, 32},  {23, 31},  {24, 95},  {25, 35},
        {26, 33},  {27, 94},  {28, 34},  {29, 36},  {30, 97},  {31, 18},  {32, 19},  {33, 96},
        {34, 20},  {35, 21},  {36, 49},  {37, 22},  {38, 23},  {39, 99},  {40, 24},  {41, 98},
        {42, 100}, {43, 102}, {44, 104}, {45, 25},  {46, 26},  {47, 103}, {48, 50},  {49, 51},
        {50, 101}, {51, 52},  {53, 53},  {54, 58},  {55, 59},  {56, 61},  {57, 54},  {58, 63},
        {59, 65},  {60, 60},  {61, 62},  {62, 64},  {67, 67},  {69, 68},  {71, 66},  {75, 69},
        {78, 70},  {81, 71},  {82, 72},  {83, 73},  {84, 74},  {85, 75},  {86, 76},  {87, 77},
        {88, 78},  {89, 79},  {91, 80},  {92, 81},  {95, 82},  {96, 41},  {97, 42},  {98, 43},
        {99, 39},  {100, 44}, {101, 45}, {105, 55}, {107, 56}, {109, 46}, {111, 48}, {113, 57},
        {114, 83}, {115, 85}, {116, 87}, {117, 84}, {118, 40}, {119, 86}, {120, 38}, {121, 88},
        {122, 37}, {123, 89}, {124, 90}, {125, 91}, {126, 92}, {200, 47},
    };
    for (const auto &pair : pairs) t[pair[0]] = pair[1];
    return t;
}

constexpr std::array<uint8_t, 256> kTable = makeTable();

}  // namespace

uint8_t keyNumberForCode(uint32_t code) {
    code &= 0xFF;
    // Y and Z swap places on a German keyboard; other layouts leave them untranslated.
    if (code == kCodeZ || code == kCodeY) {
        const bool isZ = code == kCodeZ;
        if (keyboardlayout == 0) return isZ ? 7 : 16;
        if (keyboardlayout == 1) return isZ ? 16 : 7;
        return 0;
    }
    return kTable[code];
}

}  // namespace zorblit
