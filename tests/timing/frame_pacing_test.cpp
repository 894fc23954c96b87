// Frame pacing on the hand-driven clock: sleeps, deadlines and stalls.
#include <gtest/gtest.h>

#include "test_clock.h"
#include "timing/frame_pacing.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

class FramePacing : public ::testing::Test {
protected:
    void SetUp() override { ManualClock::takeSlept(); }
    void TearDown() override {
        gfxFrameRate = 0;
        paceFrame();
    }
    // One frame whose drawing takes work milliseconds, then the pacing; the
    // milliseconds slept.
    static uint64_t frame(uint64_t work) {
        ManualClock::advance(work);
        paceFrame();
        return ManualClock::takeSlept();
    }
    ManualClock clock;
};

TEST_F(FramePacing, SleepsToDeadlinesWithoutDrift) {
    gfxFrameRate = 50;
    paceFrame();  // starts the schedule
    const uint64_t start = ManualClock::now();
    for (int n = 1; n <= 100; ++n) ASSERT_EQ(frame(n % 7), 20 - uint64_t(n % 7)) << n;
    EXPECT_EQ(ManualClock::now(), start + 2000);
    // 60 frames a second: periods of 16 and 17 ms, a second exactly after 60.
    gfxFrameRate = 60;
    paceFrame();
    const uint64_t start60 = ManualClock::now();
    uint64_t slept = 0;
    for (int n = 1; n <= 120; ++n) {
        slept += frame(3);
        ASSERT_EQ(ManualClock::now(), start60 + uint64_t(n) * 1000 / 60) << n;
    }
    EXPECT_EQ(slept, 2000u - 120 * 3);
}

TEST_F(FramePacing, LateFramesKeepTheScheduleAndStallsRestartIt) {
    gfxFrameRate = 25;  // 40 ms
    paceFrame();
    const uint64_t start = ManualClock::now();
    // Late by 30 ms: no sleep, the next frame is back on its deadline.
    EXPECT_EQ(frame(70), 0u);
    EXPECT_EQ(frame(0), 10u);
    EXPECT_EQ(ManualClock::now(), start + 80);
    // A stall of 500 ms: no sleep, no burst of catch-up frames, a new schedule.
    EXPECT_EQ(frame(500), 0u);
    const uint64_t restart = ManualClock::now();
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(frame(5), 35u);
    EXPECT_EQ(ManualClock::now(), restart + 120);
    // Off: never sleeps; a new rate starts from its first frame.
    gfxFrameRate = 0;
    EXPECT_EQ(frame(0) + frame(1), 0u);
    gfxFrameRate = 100;
    EXPECT_EQ(frame(0), 0u);
    EXPECT_EQ(frame(4), 6u);
}

// UpdateGFXsystem honours the rate; FlipScreen alone does not wait.
TEST_F(FramePacing, UpdateGFXsystemWaits) {
    InitGFXsystemScale(8, 8, 8, 8, false);
    gfxFrameRate = 10;
    UpdateGFXsystem();
    FlipScreen();
    EXPECT_EQ(ManualClock::takeSlept(), 0u);
    UpdateGFXsystem();
    EXPECT_EQ(ManualClock::takeSlept(), 100u);
    FinishGFXsystem();
}

}  // namespace
}  // namespace zorblit::test
