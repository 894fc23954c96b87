// Left double click: down, up, down seen on successive calls within
// gfxMouseClickDelay milliseconds of the first press.
#include "timing/clock.h"
#include "zorblit.h"

namespace zorblit {
namespace {

struct DoubleClickState {
    bool armed = false;        // a first press started the window at windowStart
    bool released = false;     // the button has been seen up since that press
    bool secondPress = false;  // ... and down again
    bool expired = false;      // the window ran out
    bool reported = false;     // a double click was reported in this window
    uint64_t windowStart = 0;
};

DoubleClickState state;

}  // namespace
}  // namespace zorblit

using namespace zorblit;

bool mouseLDoubleClick(void) {
    const uint64_t now = nowMilliseconds();
    if (mouseL) {
        if (!state.armed && !state.reported) {
            state.windowStart = now;
            state.armed = true;
            state.expired = false;
        }
        // Reported on the call after the one that saw the second press, while
        // the button is still down.
        if (state.secondPress && !state.expired && !state.reported) {
            state = DoubleClickState{.reported = true, .windowStart = state.windowStart};
            return true;
        }
        if (state.released) state.secondPress = true;
    }
    if (state.armed && !mouseL && !state.secondPress) state.released = true;
    // A held button re-arms once the window has run out, so it never counts twice.
    if (now - state.windowStart >= uint64_t(gfxMouseClickDelay))
        state = DoubleClickState{.expired = true, .windowStart = state.windowStart};
    else
        state.expired = false;
    return false;
}
