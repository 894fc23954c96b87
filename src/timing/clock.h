// The library's millisecond clock: steady, so stepping the system clock disturbs
// neither the FPS measurement nor the keyboard and click timing. Tests install
// their own clock.
#pragma once
#include <cstdint>

namespace zorblit {

uint64_t nowMilliseconds();

using ClockSource = uint64_t (*)();
// Replaces the clock (nullptr restores the steady clock); returns the previous one.
ClockSource setClockSource(ClockSource source);

}  // namespace zorblit
