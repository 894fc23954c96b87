// A fake window system and a hand-driven clock for the display tests.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/platform_fake.h"
#include "support/diagnostics.h"
#include "timing/clock.h"
#include "zorblit.h"

namespace zorblit::test {

inline uint64_t fakeNow = 1'000'000;
inline uint64_t fakeClock() { return fakeNow; }

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousClock_ = setClockSource(fakeClock);
        fakeNow += 10'000;  // well past any keyboard delay of an earlier test
        std::memset(keyboard, 0, sizeof keyboard);
        keyboardlayout = 1;
        gfxUsingThreads = false;
    }
    void TearDown() override {
        FinishGFXsystem();
        gfxDeviceMode = 0;
        keyboardlayout = 1;
        setClockSource(previousClock_);
    }
    // The calls recorded since the last look, without the one-time application start.
    std::vector<std::string> takeCalls() {
        std::vector<std::string> calls = std::move(fake.calls);
        fake.calls.clear();
        if (!calls.empty() && calls.front() == "startApplication") calls.erase(calls.begin(), calls.begin() + 2);
        return calls;
    }

    FakePlatform fake;

private:
    ClockSource previousClock_ = nullptr;
};

}  // namespace zorblit::test
