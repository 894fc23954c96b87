// Lock-key setters. SDL cannot switch the keyboard's own lock states or lights:
// Num Lock and Scroll Lock accept their argument and change nothing; Caps Lock
// reaches only SDL's view of the modifier state.
#include "display/platform.h"
#include "zorblit.h"

void SetNumLock(bool) {}
void SetScrollLock(bool) {}
void SetCapsLock(bool on) { zorblit::platform().setCapsLock(on); }
