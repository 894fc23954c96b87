// A hand-driven millisecond clock, so no display, input or timing test sleeps.
#pragma once
#include "timing/clock.h"

namespace zorblit::test {

// Installed for its lifetime; starts past the delays of earlier tests.
class ManualClock {
public:
    ManualClock() : previous_(setClockSource([] { return now_; })) { advance(10'000); }
    ~ManualClock() { setClockSource(previous_); }
    static void advance(uint64_t milliseconds) { now_ += milliseconds; }

private:
    static inline uint64_t now_ = 1'000'000;
    ClockSource previous_;
};

}  // namespace zorblit::test
