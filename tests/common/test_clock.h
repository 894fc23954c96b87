// A hand-driven millisecond clock, so no display, input or timing test sleeps.
#pragma once
#include "timing/clock.h"

namespace zorblit::test {

class ManualClock {
public:
    ManualClock() : previous_(setClockSource([] { return now_; })) { advance(10'000); }  // past earlier delays
    ~ManualClock() { setClockSource(previous_); }
    ManualClock(const ManualClock &) = delete;
    ManualClock &operator=(const ManualClock &) = delete;
    static void advance(uint64_t milliseconds) { now_ += milliseconds; }
    static uint64_t now() { return now_; }

private:
    static inline uint64_t now_ = 1'000'000;
    ClockSource previous_;
};

}  // namespace zorblit::test
