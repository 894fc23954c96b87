// The latches that make doReadKey, mouseLclick and mouseRclick report each press
// once, as the input update and the event pump reach them.
#pragma once
#include <cstdint>

namespace zorblit {

// Clears the click latch of each button that is up (mouseL, mouseR 0), so the
// next press can report a click again. The input update calls it after every
// event poll.
void clearReleasedClickLatches();
// A new press of the button (left or right) may click again.
void rearmClick(bool left);
// A new press of the key may be typed again by doReadKey.
void rearmKeyReport(uint8_t key);

}  // namespace zorblit
