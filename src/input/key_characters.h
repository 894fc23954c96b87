// The characters that doReadKey types for a key number under a keyboard layout.
#pragma once
#include <cstdint>

namespace zorblit {

// The string a key types with the given modifiers under keyboardlayout `layout`
// (0 US, 1 German, any other value: plain letters and digits). Always a
// NUL-terminated UTF-8 string in constant storage; empty for keys that type
// nothing under that layout.
const char *keyCharacters(uint8_t key, int32_t layout, bool shift, bool option);

}  // namespace zorblit
