// The event pump: drains the window system's pending events into the keyboard
// and mouse globals, hands the other events back, then lets the views redraw.
#pragma once

namespace zorblit {
void pumpEvents();
}
