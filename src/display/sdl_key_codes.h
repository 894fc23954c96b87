// SDL scancodes (physical key positions) to the event pump's key codes.
#pragma once
#include <SDL.h>

#include <cstdint>

namespace zorblit {

// A code the pump's table does not translate: such keys land in keyboard[0].
constexpr uint32_t kUntranslatedKeyCode = 127;

uint32_t keyCodeForScancode(SDL_Scancode scancode);
// Shift, Control, Alt and the logo keys (not Caps Lock).
bool isModifierCode(uint32_t code);

}  // namespace zorblit
