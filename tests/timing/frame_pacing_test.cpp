// Frame pacing and the frame timer on the hand-driven clock, and the FPS line.
#include <gtest/gtest.h>

#include "test_clock.h"
#include "timing/fps.h"
#include "timing/frame_pacing.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

struct FramePacing : ::testing::Test {
    void SetUp() override { ManualClock::takeSlept(); }
    void TearDown() override { gfxFrameRate = 0, paceFrame(); }
    // One frame whose drawing takes work milliseconds, then the pacing; the milliseconds slept.
    static uint64_t frame(uint64_t work) { return ManualClock::advance(work), paceFrame(), ManualClock::takeSlept(); }
    ManualClock clock;
};

// Each frame ends on its deadline, rounded down to whole milliseconds from the
// schedule's start, whatever the work: 60 frames a second take periods of 16 and
// 17 ms and a second exactly after 60.
TEST_F(FramePacing, SleepsToDeadlinesWithoutDrift) {
    gfxFrameRate = 60;
    paceFrame();  // starts the schedule
    const uint64_t start = ManualClock::now();
    for (uint64_t n = 1; n <= 120; ++n) {
        frame(n % 7);
        ASSERT_EQ(ManualClock::now(), start + n * 1000 / 60) << n;
    }
}

// A late frame keeps the schedule; one a whole period late or more starts a new
// one, with no burst of catch-up frames. Off never sleeps; a new rate starts
// from its first frame.
TEST_F(FramePacing, LateFramesKeepTheScheduleAndStallsRestartIt) {
    gfxFrameRate = 25;  // 40 ms
    paceFrame();
    for (const auto &[work, slept] : {std::pair{70u, 0u}, {0u, 10u}, {80u, 0u}, {5u, 35u}, {5u, 35u}})
        EXPECT_EQ(frame(work), slept) << work;
    gfxFrameRate = 0;
    EXPECT_EQ(frame(0) + frame(1), 0u);
    gfxFrameRate = 100;
    EXPECT_EQ(frame(0) + frame(4), 6u);
}

// UpdateGFXsystem honours the rate; FlipScreen alone does not wait.
TEST_F(FramePacing, UpdateGFXsystemWaits) {
    InitGFXsystemScale(8, 8, 8, 8, false);
    gfxFrameRate = 10;
    UpdateGFXsystem();
    EXPECT_EQ((FlipScreen(), ManualClock::takeSlept()), 0u);
    EXPECT_EQ((UpdateGFXsystem(), ManualClock::takeSlept()), 100u);
    FinishGFXsystem();
}

// A window closes at the first frame at least half a second after it opened:
// 30 frames 20 ms apart give 50 FPS from the 25th, which holds until the next
// window closes (frames 26 to 30 and one more over 2 s, then one over 4 s).
TEST(FrameTimer, MeasuresOverWindowsOfHalfASecondOrMore) {
    ManualClock clock;
    gfxFPS = 0;
    StartFPScounter();
    for (int frame = 1; frame <= 30; ++frame) {
        ManualClock::advance(20);
        updateTimer();
        ASSERT_FLOAT_EQ(gfxFPS, frame < 25 ? 0.0f : 50.0f) << frame;
    }
    for (const auto &[wait, fps] : {std::pair{1900, 6 * 1000.0f / 2000}, {4000, 0.25f}}) {
        ManualClock::advance(wait);
        updateTimer();
        EXPECT_FLOAT_EQ(gfxFPS, fps) << wait;
    }
}

// Two decimals in at least four characters; nothing before a first measurement.
TEST(FpsText, ReturnFPSstring) {
    testing::internal::CaptureStdout();
    for (const float fps : {0.0f, 123.456f, 0.5f, 1234.5f}) gfxFPS = fps, ReturnFPSstring();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ya get 123.46 FPS!\nya get 0.50 FPS!\nya get 1234.50 FPS!\n");
    gfxFPS = 0;
}

}  // namespace
}  // namespace zorblit::test
