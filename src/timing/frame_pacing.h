// Frame pacing: holds the host's loop to gfxFrameRate frames a second by
// sleeping until each frame's deadline.
#pragma once

namespace zorblit {

// Sleeps until the next deadline of the schedule for gfxFrameRate (0: returns
// at once). Deadlines lie a whole number of periods after the schedule's
// start, so rounding never accumulates. A frame that ends a little late keeps
// the schedule; one late by a whole period or more (a stall) starts a new
// schedule from now instead of rushing frames to catch up. A new rate starts a
// new schedule too.
void paceFrame();

}  // namespace zorblit
