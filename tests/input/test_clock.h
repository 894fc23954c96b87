// A hand-driven millisecond clock for the input tests, so no test sleeps.
#pragma once
#include <cstdint>

#include "timing/clock.h"

namespace zorblit::test {

class ManualClock {
public:
    ManualClock() : previous_(setClockSource([] { return now_; })) {}
    ~ManualClock() { setClockSource(previous_); }
    ManualClock(const ManualClock &) = delete;
    ManualClock &operator=(const ManualClock &) = delete;

    static void advance(uint64_t milliseconds) { now_ += milliseconds; }

private:
    static inline uint64_t now_ = 1'000'000;
    ClockSource previous_;
};

}  // namespace zorblit::test
