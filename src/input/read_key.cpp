// Typed characters from the key-state array: one newly pressed key per call.
#include <cstdint>

#include "input/key_characters.h"
#include "input/report_latches.h"
#include "zorblit.h"

namespace zorblit {
namespace {

// The keys doReadKey reports, in the order it examines them: letters a to z,
// digits 0 to 9, keypad digits, keypad operators and comma, Space, punctuation.
constexpr uint8_t readOrder[] = {
    1,  11, 9,  3,  14, 4,  6,  5,  20, 23, 24, 22, 26, 25, 18, 21, 12, 15, 2,  17, 19, 10, 13, 8,
    16, 7,  36, 27, 28, 29, 30, 31, 32, 33, 34, 35, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 67, 68,
    70, 82, 69, 51, 96, 97, 102, 104, 103, 100, 98, 94, 93, 95, 99, 101,
};

constexpr uint8_t rightShift = 60, leftShift = 61, rightOption = 62, leftOption = 63;

// Set once a key has been reported; cleared when a later call sees the key up.
uint8_t keyLatch[256] = {};

}  // namespace

void rearmKeyReport(uint8_t key) { keyLatch[key] = 0; }

}  // namespace zorblit

using namespace zorblit;

const char *doReadKey(void) {
    const bool shift = keyboard[rightShift] || keyboard[leftShift];
    const bool option = keyboard[rightOption] || keyboard[leftOption];
    for (const uint8_t key : readOrder) {
        if (!keyboard[key]) {
            keyLatch[key] = 0;
        } else if (!keyLatch[key]) {
            keyLatch[key] = 1;
            key_code = key;
            return keyCharacters(key, keyboardlayout, shift, option);
        }
    }
    return "";
}

bool KeyPressed(void) {
    for (const uint8_t state : keyboard)
        if (state) return true;
    return false;
}
