// The keyboard delay: after delayKeyboard every key reads as released, and the
// event pump drops key events for the next 256 ms.
#include <cstring>

#include "timing/clock.h"
#include "zorblit.h"

namespace {
constexpr uint64_t kKeyboardDelayMilliseconds = 256;
uint64_t delayStamp = 0;
}  // namespace

void delayKeyboard(void) {
    delayStamp = zorblit::nowMilliseconds();
    std::memset(keyboard, 0, sizeof keyboard);
}

bool allowKeyboardHit(void) {
    return zorblit::nowMilliseconds() - delayStamp > kKeyboardDelayMilliseconds;
}
