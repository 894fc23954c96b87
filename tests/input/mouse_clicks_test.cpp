// Click hold-off, single-click latches and double-click detection, on a
// hand-driven clock.
#include <gtest/gtest.h>

#include "input/mouse.h"
#include "test_clock.h"
#include "zorblit.h"

namespace zorblit {
namespace {

using test::ManualClock;

class MouseClicks : public ::testing::Test {
protected:
    void SetUp() override {
        gfxMouseClickDelay = 256;
        mouseL = mouseR = false;
        clearReleasedClickLatches();
        // Let any earlier hold-off and double-click window run out.
        ManualClock::advance(10'000);
        mouseLDoubleClick();
    }
    void TearDown() override {
        mouseL = mouseR = false;
        clearReleasedClickLatches();
        gfxMouseClickDelay = 256;
    }
    ManualClock clock;
};

TEST_F(MouseClicks, HoldOffEndsStrictlyAfterTheDelay) {
    for (const uint32_t delay : {256u, 0u}) {
        gfxMouseClickDelay = delay;
        DelayMouse();
        EXPECT_FALSE(mouseClickable()) << delay;
        ManualClock::advance(delay);
        EXPECT_FALSE(mouseClickable()) << delay;
        ManualClock::advance(1);
        EXPECT_TRUE(mouseClickable()) << delay;
    }
}

TEST_F(MouseClicks, HeldButtonClicksOnceUntilSeenUp) {
    mouseL = true;
    EXPECT_TRUE(mouseLclick());
    for (int frame = 0; frame < 5; ++frame) {
        clearReleasedClickLatches();
        EXPECT_FALSE(mouseLclick());
    }
    // Released and pressed again between two updates: never seen up.
    EXPECT_FALSE(mouseLclick());
    mouseL = false;
    clearReleasedClickLatches();
    mouseL = true;
    EXPECT_TRUE(mouseLclick());
}

TEST_F(MouseClicks, ButtonsLatchIndependently) {
    mouseL = mouseR = true;
    EXPECT_TRUE(mouseLclick());
    EXPECT_TRUE(mouseRclick());
    mouseR = false;
    clearReleasedClickLatches();
    mouseR = true;
    EXPECT_FALSE(mouseLclick());
    EXPECT_TRUE(mouseRclick());
}

TEST_F(MouseClicks, PressDuringHoldOffIsReportedWhenItEnds) {
    DelayMouse();
    mouseR = true;
    EXPECT_FALSE(mouseRclick());
    ManualClock::advance(gfxMouseClickDelay + 1);
    EXPECT_TRUE(mouseRclick());
    EXPECT_FALSE(mouseRclick());
}

// One frame of the double-click test: the button state, the time since the
// previous frame, and what mouseLDoubleClick should answer.
struct Frame {
    bool down;
    uint64_t elapsed;
    bool reported;
};

void playFrames(std::initializer_list<Frame> frames) {
    int index = 0;
    for (const Frame &frame : frames) {
        ManualClock::advance(frame.elapsed);
        mouseL = frame.down;
        EXPECT_EQ(mouseLDoubleClick(), frame.reported) << "frame " << index;
        ++index;
    }
}

TEST_F(MouseClicks, DoubleClickWithinTheWindow) {
    playFrames({{true, 0, false}, {false, 50, false}, {true, 50, false}, {true, 50, true}, {true, 50, false}});
}

TEST_F(MouseClicks, SecondPressAfterTheWindowIsNoDoubleClick) {
    playFrames({{true, 0, false}, {false, 100, false}, {true, 200, false}, {true, 16, false}, {false, 16, false}});
}

TEST_F(MouseClicks, ReportedDoubleClickBlocksANewOneUntilTheWindowEnds) {
    playFrames({{true, 0, false}, {false, 20, false}, {true, 20, false}, {true, 20, true},
                // A fast third and fourth press inside the same window count for nothing.
                {false, 20, false}, {true, 20, false}, {true, 20, false}, {false, 20, false},
                // After the window a new sequence works again.
                {false, 200, false}, {true, 20, false}, {false, 20, false}, {true, 20, false}, {true, 20, true}});
}

TEST_F(MouseClicks, HeldButtonIsNeverADoubleClick) {
    mouseL = true;
    for (int frame = 0; frame < 63; ++frame) {
        EXPECT_FALSE(mouseLDoubleClick()) << frame;
        ManualClock::advance(16);
    }
}

}  // namespace
}  // namespace zorblit
