// Click hold-off, click latches and double clicks on a hand-driven clock; window
// management, the full-screen switches and the pointer on the fake window system.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "../display/test_clock.h"
#include "display/platform_fake.h"
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
    struct Frame { bool down; uint64_t elapsed; bool reported; };
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


class WindowManagement : public ::testing::Test {
protected:
    void TearDown() override {
        FinishGFXsystem();
        gfxDeviceMode = 0;
        gfxFullScreen = mouseL = false;
    }
    static uint32_t patternAt(uint32_t i) { return 0xFF000000u | i * 2654435761u; }
    static void drawPattern() {
        for (uint32_t i = 0; i < vscreen.width * vscreen.height; ++i) vscreen.data[i] = patternAt(i);
    }
    static bool showsPattern(uint32_t width, uint32_t height) {
        bool same = vscreen.data && vscreen.width == width && vscreen.height == height;
        for (uint32_t i = 0; same && i < width * height; ++i) same = vscreen.data[i] == patternAt(i);
        return same;
    }
    void update(EventKind kind = EventKind::Other) {
        fake.queueEvent({kind, 0, 0, WindowAction::None});
        UpdateInternals();
    }

    ManualClock clock;
    FakePlatform fake;
};

TEST_F(WindowManagement, MinimiseCaptionDesktopAndPosition) {
    fake.usable = {0, 24, 1280, 976};
    fake.desktop = {0, 0, 1919.5, 1080.5};
    InitGFXsystem(64, 48, false);
    MinimizeGFXwindow();
    EXPECT_TRUE(gfxWindowMinimized);
    RestoreGFXwindow();
    EXPECT_FALSE(gfxWindowMinimized);
    EXPECT_EQ(fake.count("minimizeWindow") + fake.count("restoreWindow"), 2);
    SetGFXwindowCaption(nullptr);
    EXPECT_EQ(fake.caption, "");
    int32_t width = 0, height = 0, x = 0, y = 0;
    GetDesktopResolution(&width, &height);
    EXPECT_EQ(std::pair(width, height), std::pair(1920, 1080));  // ties to even
    // The top of the usable area is y = 0, and a get answers what was set.
    SetGFXwindowPos(100, 100);
    EXPECT_EQ(fake.count("setWindowTopLeft 100 124"), 1);
    GetGFXwindowPos(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(100, 100));
    // In full screen it moves nothing but still takes in events.
    InitGFXsystem(64, 48, true);
    fake.calls.clear();
    fake.queueEvent({EventKind::LeftMouseDown, 0, 0, WindowAction::None});
    SetGFXwindowPos(100, 100);
    EXPECT_EQ(fake.count("setWindowTopLeft"), 0);
    EXPECT_TRUE(mouseL);
}

TEST_F(WindowManagement, SwitchesKeepSizePictureAndMode) {
    InitGFXsystem(64, 48, false);
    drawPattern();
    SwitchWindowed();
    SwitchFullScreen();
    SwitchFullScreen();
    EXPECT_EQ(fake.count("createWindow"), 2);
    EXPECT_TRUE(gfxFullScreen && fake.lastRequest.fullScreen && !gfxDone);
    EXPECT_EQ(std::tuple(gfxDeviceMode, clipX2, clipY2), std::tuple(1, 64, 48));
    EXPECT_EQ(fake.imagePixels, vscreen.data);
    EXPECT_TRUE(showsPattern(64, 48));
    SwitchWindowed();
    EXPECT_FALSE(gfxFullScreen || gfxDone || fake.lastRequest.fullScreen);
    EXPECT_TRUE(showsPattern(64, 48));
}

TEST_F(WindowManagement, SwitchesInTheOtherModes) {
    InitGFXsystemScale(32, 20, 640, 400, false);
    drawPattern();
    SwitchFullScreen();
    EXPECT_TRUE(gfxFullScreen && showsPattern(32, 20));
    EXPECT_EQ(std::tuple(gfxDeviceMode, gfxRealScreenWidth, gfxRealScreenHeight), std::tuple(7, 640u, 400u));
    EXPECT_EQ(fake.count("createWindow"), 0);

    // The host OpenGL mode has no pixels; both switches reopen its context.
    openGLcontext(80, 60, false);
    SwitchFullScreen();
    EXPECT_TRUE(fake.lastRequest.fullScreen);
    SwitchWindowed();
    EXPECT_FALSE(gfxDone || fake.lastRequest.fullScreen || vscreen.data);
    EXPECT_EQ(gfxDeviceMode, 6);
    FinishGFXsystem();

    // A mode without a content view opens its window again, so the picture has somewhere to go.
    gfxDeviceMode = 4;
    InitGFXsystem(16, 8, false);
    drawPattern();
    SwitchFullScreen();
    EXPECT_TRUE(!gfxDone && showsPattern(16, 8));
}

// An update clears the latch of a released button.
TEST_F(WindowManagement, ClickLatchesCursorAndLockKeys) {
    InitGFXsystem(64, 48, false);
    update(EventKind::LeftMouseDown);
    EXPECT_TRUE(mouseLclick());
    update();
    EXPECT_FALSE(mouseLclick());
    update(EventKind::LeftMouseUp);
    update(EventKind::LeftMouseDown);
    EXPECT_TRUE(mouseLclick());
    // Hides and shows pair up; only Caps Lock reaches the platform.
    for (const auto &[show, visible] : {std::pair{false, false}, {false, false}, {true, false}, {true, true},
                                        {true, true}, {false, false}, {true, true}}) {
        SetMouseCursor(show);
        EXPECT_EQ(fake.cursorVisible, visible);
    }
    fake.calls.clear();
    SetNumLock(true);
    SetScrollLock(true);
    SetCapsLock(true);
    SetCapsLock(false);
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"setCapsLock on", "setCapsLock off"}));
}

// Every pixel reads back, one window pixel per virtual pixel when windowed and
// with uneven scales (1000 x 700 over 1280 x 1024) in full screen.
TEST_F(WindowManagement, MousePositionReadsBackAfterAnUpdate) {
    for (const bool fullScreen : {false, true}) {
        InitGFXsystem(1000, 700, fullScreen);
        for (uint32_t i = 0; i < 1000; ++i) {
            SetMousePos(i, i % 700);
            update();
            ASSERT_EQ(std::pair(mouseX, mouseY), std::pair(int32_t(i), int32_t(i % 700))) << fullScreen;
        }
    }
}

}  // namespace
}  // namespace zorblit
