// Single clicks of the left and right buttons, with a shared hold-off time.
#include "input/report_latches.h"
#include "timing/clock.h"
#include "zorblit.h"

namespace zorblit {
namespace {

uint64_t mouseDelayStamp = 0;
bool leftClickLatch = false;
bool rightClickLatch = false;

// A press is reported once: the latch stays set until the input update has seen
// the button up.
bool reportClick(bool buttonDown, bool &latch) {
    if (!buttonDown || latch || !mouseClickable()) return false;
    latch = true;
    return true;
}

}  // namespace

void clearReleasedClickLatches() {
    if (!mouseL) leftClickLatch = false;
    if (!mouseR) rightClickLatch = false;
}

void rearmClick(bool left) { (left ? leftClickLatch : rightClickLatch) = false; }

}  // namespace zorblit

using namespace zorblit;

void DelayMouse(void) { mouseDelayStamp = nowMilliseconds(); }

bool mouseClickable(void) { return nowMilliseconds() - mouseDelayStamp > uint64_t(gfxMouseClickDelay); }

bool mouseLclick(void) { return reportClick(mouseL, leftClickLatch); }

bool mouseRclick(void) { return reportClick(mouseR, rightClickLatch); }
