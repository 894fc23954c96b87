// The event pump's key translation: platform key codes (the numbering of the
// table below, see key_table.cpp) to the library's key numbers.
#pragma once
#include <cstdint>

namespace zorblit {

namespace keycode {
constexpr uint32_t kCapsLock = 57;
// A flags-changed event with this code releases Caps Lock and swallows the next one.
constexpr uint32_t kCapsRelease = 255;
}  // namespace keycode

// Key number of the low 8 bits of code under the current keyboardlayout; 0 when
// the key has none.
uint8_t keyNumberForCode(uint32_t code);

}  // namespace zorblit
