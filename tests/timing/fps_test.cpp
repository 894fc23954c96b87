// The frame timer on a scripted clock, and the FPS line.
#include <gtest/gtest.h>

#include "support/numeric.h"
#include "timing/clock.h"
#include "timing/fps.h"
#include "zorblit.h"

namespace zorblit {
namespace {

uint64_t fakeNow = 0;
uint64_t fakeClock() { return fakeNow; }

class FrameTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = setClockSource(fakeClock);
        fakeNow = 1'000'000;
        gfxFPS = 0;
        StartFPScounter();
    }
    void TearDown() override { setClockSource(previous_); }
    ClockSource previous_{};
};

TEST_F(FrameTimerTest, MeasuresAtTheFirstFrameAfterHalfASecond) {
    // 30 frames spread evenly over 600 ms: 20 ms apart.
    for (int frame = 1; frame <= 30; ++frame) {
        fakeNow += 20;
        updateTimer();
        if (frame < 25) {
            ASSERT_EQ(gfxFPS, 0.0f) << frame;
        } else if (frame == 25) {
            EXPECT_FLOAT_EQ(gfxFPS, 25 * 1000.0f / 500.0f);
            EXPECT_EQ(frameTimer().frames, 0u);
            EXPECT_EQ(frameTimer().windowStart, fakeNow);
        }
    }
    EXPECT_FLOAT_EQ(gfxFPS, 50.0f);  // unchanged until the next window closes
}

TEST_F(FrameTimerTest, SlowFramesCloseAWindowEach) {
    countFrame();  // initialisation counts as a frame
    fakeNow += 2000;
    updateTimer();
    EXPECT_FLOAT_EQ(gfxFPS, 1.0f);
    fakeNow += 4000;
    updateTimer();
    EXPECT_FLOAT_EQ(gfxFPS, 0.25f);
}

TEST(FpsText, TwoDecimalsInAtLeastFourCharacters) {
    EXPECT_EQ(floatToText(59.94f), "59.94");
    EXPECT_EQ(floatToText(5.0f), "5.00");
    EXPECT_EQ(floatToText(0.5f), "0.50");
    EXPECT_EQ(floatToText(123.456f), "123.46");
    EXPECT_EQ(floatToText(1234.5f), "1234.50");

    gfxFPS = 0;
    testing::internal::CaptureStdout();
    ReturnFPSstring();
    gfxFPS = 123.456f;
    ReturnFPSstring();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ya get 123.46 FPS!\n");
    gfxFPS = 0;
}

}  // namespace
}  // namespace zorblit
