#include "timing/clock.h"

#include <chrono>
#include <thread>

#include "zorblit.h"

namespace zorblit {
namespace {

uint64_t steadyMilliseconds() {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void threadSleep(uint64_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

ClockSource clockSource = steadyMilliseconds;
SleepFunction sleepFunction = threadSleep;

}  // namespace

uint64_t nowMilliseconds() { return clockSource(); }

void sleepMilliseconds(uint64_t milliseconds) { sleepFunction(milliseconds); }

ClockSource setClockSource(ClockSource source) {
    ClockSource previous = clockSource;
    clockSource = source ? source : steadyMilliseconds;
    return previous;
}

SleepFunction setSleepFunction(SleepFunction sleep) {
    SleepFunction previous = sleepFunction;
    sleepFunction = sleep ? sleep : threadSleep;
    return previous;
}

}  // namespace zorblit

uint64_t ZorblitMilliseconds(void) { return zorblit::nowMilliseconds(); }
