// Click hold-off, single-click latches and double clicks on a hand-driven clock.
#include <gtest/gtest.h>

#include <vector>

#include "../display/test_clock.h"
#include "input/mouse.h"
#include "zorblit.h"

namespace zorblit {
namespace {

using test::ManualClock;

class MouseClicks : public ::testing::Test {
protected:
    void SetUp() override {
        mouseL = mouseR = false;
        clearReleasedClickLatches();
        ManualClock::advance(10'000);  // past any hold-off or double-click window
        mouseLDoubleClick();
    }
    void TearDown() override {
        SetUp();
        gfxMouseClickDelay = 256;
    }
    ManualClock clock;
};

TEST_F(MouseClicks, HoldOffEndsStrictlyAfterTheDelay) {
    for (const uint32_t delay : {256u, 0u}) {
        gfxMouseClickDelay = delay;
        DelayMouse();
        EXPECT_FALSE(mouseClickable());
        ManualClock::advance(delay);
        EXPECT_FALSE(mouseClickable()) << delay;
        ManualClock::advance(1);
        EXPECT_TRUE(mouseClickable()) << delay;
    }
}

TEST_F(MouseClicks, OneClickPerPressSeenUpInBetween) {
    mouseL = mouseR = true;
    EXPECT_TRUE(mouseLclick() && mouseRclick());
    clearReleasedClickLatches();
    EXPECT_FALSE(mouseLclick());
    mouseR = false;
    clearReleasedClickLatches();
    mouseR = true;
    EXPECT_FALSE(mouseLclick());
    EXPECT_TRUE(mouseRclick());
    // A press inside the hold-off is reported once the hold-off has passed.
    DelayMouse();
    mouseL = false;
    clearReleasedClickLatches();
    mouseL = true;
    EXPECT_FALSE(mouseLclick());
    ManualClock::advance(257);
    EXPECT_TRUE(mouseLclick());
}

// Frames of (button down, milliseconds since the previous frame, reported).
TEST_F(MouseClicks, DoubleClickSequences) {
    struct Frame {
        bool down;
        uint64_t elapsed;
        bool reported;
    };
    std::vector<std::vector<Frame>> sequences = {
        // Down, up, down, down inside the window; the next down frame gives nothing.
        {{1, 0, 0}, {0, 50, 0}, {1, 50, 0}, {1, 50, 1}, {1, 50, 0}},
        // Second press 300 ms after the first.
        {{1, 0, 0}, {0, 100, 0}, {1, 200, 0}, {1, 16, 0}, {0, 16, 0}},
        // After a report a new pair counts only once the window has run out.
        {{1, 0, 0}, {0, 20, 0}, {1, 20, 0}, {1, 20, 1}, {0, 20, 0}, {1, 20, 0}, {1, 20, 0}, {0, 20, 0},
         {0, 200, 0}, {1, 20, 0}, {0, 20, 0}, {1, 20, 0}, {1, 20, 1}},
        std::vector<Frame>(63, {1, 16, 0}),  // a held button never is one
    };
    for (size_t s = 0; s < sequences.size(); ++s) {
        SetUp();
        for (size_t f = 0; f < sequences[s].size(); ++f) {
            ManualClock::advance(sequences[s][f].elapsed);
            mouseL = sequences[s][f].down;
            EXPECT_EQ(mouseLDoubleClick(), sequences[s][f].reported) << "sequence " << s << " frame " << f;
        }
    }
}

}  // namespace
}  // namespace zorblit
