// Lock-key setters. The library cannot switch the system's lock LEDs or lock
// states through SDL, and nothing in the library depends on them (doReadKey
// ignores Caps Lock), so all three accept their argument and change nothing.
#include "zorblit.h"

void SetNumLock(bool) {}
void SetScrollLock(bool) {}
void SetCapsLock(bool) {}
