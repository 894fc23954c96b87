// The library's millisecond clock: steady, so stepping the system clock disturbs
// neither the FPS measurement nor the keyboard and click timing. Tests install
// their own clock, and a sleep that moves it on.
#pragma once
#include <cstdint>

namespace zorblit {

uint64_t nowMilliseconds();
// Gives the processor away for at least the given time.
void sleepMilliseconds(uint64_t milliseconds);

using ClockSource = uint64_t (*)();
using SleepFunction = void (*)(uint64_t milliseconds);
// Replace the clock and the sleep (nullptr restores the real one); return the previous one.
ClockSource setClockSource(ClockSource source);
SleepFunction setSleepFunction(SleepFunction sleep);

}  // namespace zorblit
