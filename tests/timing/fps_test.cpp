// The frame timer on a hand-driven clock, and the FPS line.
#include <gtest/gtest.h>

#include "support/numeric.h"
#include "test_clock.h"
#include "timing/fps.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

// A window closes at the first frame at least half a second after it opened.
TEST(FrameTimer, MeasuresOverWindowsOfHalfASecondOrMore) {
    ManualClock clock;
    gfxFPS = 0;
    StartFPScounter();
    // 30 frames 20 ms apart: the 25th closes the first window at 50 FPS, which
    // holds until the next window closes; the later rates show where each window began.
    for (int frame = 1; frame <= 30; ++frame) {
        ManualClock::advance(20);
        updateTimer();
        ASSERT_FLOAT_EQ(gfxFPS, frame < 25 ? 0.0f : 50.0f) << frame;
    }
    countFrame();  // as initialisation does
    // Frames 26 to 30, the counted one and this over 2 s; then this one alone over 4 s.
    for (const auto &[wait, fps] : {std::pair{1900, 7 * 1000.0f / 2000}, {4000, 0.25f}}) {
        ManualClock::advance(wait);
        updateTimer();
        EXPECT_FLOAT_EQ(gfxFPS, fps) << wait;
    }
}

TEST(FpsText, TwoDecimalsInAtLeastFourCharacters) {
    for (const auto &[value, text] :
         {std::pair{59.94f, "59.94"}, {5.0f, "5.00"}, {0.5f, "0.50"}, {123.456f, "123.46"}, {1234.5f, "1234.50"}})
        EXPECT_EQ(floatToText(value), text);
    gfxFPS = 0;  // prints nothing
    testing::internal::CaptureStdout();
    ReturnFPSstring();
    gfxFPS = 123.456f;
    ReturnFPSstring();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ya get 123.46 FPS!\n");
    gfxFPS = 0;
}

}  // namespace
}  // namespace zorblit::test
