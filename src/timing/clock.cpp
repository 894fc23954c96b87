#include "timing/clock.h"

#include <chrono>

namespace zorblit {
namespace {

uint64_t steadyMilliseconds() {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

ClockSource clockSource = steadyMilliseconds;

}  // namespace

uint64_t nowMilliseconds() { return clockSource(); }

ClockSource setClockSource(ClockSource source) {
    ClockSource previous = clockSource;
    clockSource = source ? source : steadyMilliseconds;
    return previous;
}

}  // namespace zorblit
