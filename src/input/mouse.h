// Internal entry points of the mouse routines for the display layer.
#pragma once

namespace zorblit {

// Clears the click latch of each button that is up (mouseL, mouseR 0), so the
// next press can report a click again. The input update calls it after every
// event poll.
void clearReleasedClickLatches();

}  // namespace zorblit
