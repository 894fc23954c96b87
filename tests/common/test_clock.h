// A hand-driven millisecond clock, so no display, input or timing test sleeps.
#pragma once
#include <utility>

#include "timing/clock.h"

namespace zorblit::test {

// Installed for its lifetime; starts past the delays of earlier tests. A sleep
// moves the clock on at once and is counted.
class ManualClock {
public:
    ManualClock() { advance(10'000); }
    ~ManualClock() { setClockSource(previous_), setSleepFunction(previousSleep_); }
    static void advance(uint64_t milliseconds) { now_ += milliseconds; }
    static uint64_t now() { return now_; }
    // Milliseconds slept since the last call.
    static uint64_t takeSlept() { return std::exchange(slept_, 0); }

private:
    static inline uint64_t now_ = 1'000'000, slept_ = 0;
    ClockSource previous_ = setClockSource([] { return now_; });
    SleepFunction previousSleep_ = setSleepFunction([](uint64_t milliseconds) { slept_ += milliseconds, advance(milliseconds); });
};

}  // namespace zorblit::test
