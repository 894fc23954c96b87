// Window management, the full-screen switches and the pointer operations, on
// the fake window system.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/platform_fake.h"
#include "test_clock.h"
#include "zorblit.h"

namespace zorblit {
namespace {

using test::ManualClock;

class WindowManagement : public ::testing::Test {
protected:
    void TearDown() override {
        FinishGFXsystem();
        gfxDeviceMode = 0;
        gfxFullScreen = gfxWindowMinimized = false;
    }
    // Fills vscreen with a pattern that differs in every pixel.
    static void drawPattern() {
        for (uint32_t i = 0; i < vscreen.width * vscreen.height; ++i) vscreen.data[i] = 0xFF000000u | i * 2654435761u;
    }
    static bool showsPattern() {
        for (uint32_t i = 0; i < vscreen.width * vscreen.height; ++i)
            if (vscreen.data[i] != (0xFF000000u | i * 2654435761u)) return false;
        return true;
    }
    // Takes in one event so the pump maps the pointer.
    void pumpOnce() {
        fake.queueEvent({});
        UpdateInternals();
    }

    ManualClock clock;
    FakePlatform fake;
};

TEST_F(WindowManagement, MinimiseRestoreCaptionAndDesktop) {
    InitGFXsystem(64, 48, false);
    MinimizeGFXwindow();
    EXPECT_TRUE(gfxWindowMinimized);
    RestoreGFXwindow();
    EXPECT_FALSE(gfxWindowMinimized);
    EXPECT_EQ(fake.count("minimizeWindow"), 1);
    EXPECT_EQ(fake.count("restoreWindow"), 1);

    SetGFXwindowCaption("Level 2");
    EXPECT_EQ(fake.caption, "Level 2");
    SetGFXwindowCaption("");
    EXPECT_EQ(fake.caption, "");
    SetGFXwindowCaption(nullptr);
    EXPECT_EQ(fake.caption, "");

    fake.desktop = {0, 0, 1919.5, 1080.5};
    int32_t width = 0, height = 0;
    GetDesktopResolution(&width, &height);
    EXPECT_EQ(width, 1920);  // ties to even
    EXPECT_EQ(height, 1080);
}

TEST_F(WindowManagement, PositionIsMeasuredFromTheTopOfTheUsableArea) {
    fake.usable = {0, 24, 1280, 976};
    InitGFXsystem(64, 48, false);
    SetGFXwindowPos(100, 100);
    EXPECT_EQ(fake.count("setWindowTopLeft 100 124"), 1);
    int32_t x = 0, y = 0;
    GetGFXwindowPos(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 100);
    SetGFXwindowPos(0, 0);
    GetGFXwindowPos(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(WindowManagement, FullScreenPositionMovesNothingButTakesInEvents) {
    InitGFXsystem(64, 48, true);
    fake.queueEvent({EventKind::LeftMouseDown, 0, 0, WindowAction::None});
    SetGFXwindowPos(100, 100);
    EXPECT_EQ(fake.count("setWindowTopLeft"), 0);
    EXPECT_TRUE(mouseL);
    mouseL = false;
}

TEST_F(WindowManagement, SwitchesKeepSizePictureAndMode) {
    InitGFXsystem(64, 48, false);
    drawPattern();
    SwitchWindowed();
    EXPECT_EQ(fake.count("createWindow"), 1);

    SwitchFullScreen();
    EXPECT_TRUE(gfxFullScreen);
    EXPECT_FALSE(gfxDone);
    EXPECT_EQ(gfxDeviceMode, 1);
    EXPECT_TRUE(fake.lastSpec.fullScreen);
    EXPECT_EQ(fake.imagePixels, vscreen.data);
    ASSERT_EQ(vscreen.width, 64u);
    ASSERT_EQ(vscreen.height, 48u);
    EXPECT_TRUE(showsPattern());
    EXPECT_EQ((std::vector<int32_t>{clipX1, clipY1, clipX2, clipY2}), (std::vector<int32_t>{0, 0, 64, 48}));
    SwitchFullScreen();
    EXPECT_EQ(fake.count("createWindow"), 2);

    SwitchWindowed();
    EXPECT_FALSE(gfxFullScreen);
    EXPECT_FALSE(gfxDone);
    EXPECT_FALSE(fake.lastSpec.fullScreen);
    EXPECT_TRUE(showsPattern());
}

TEST_F(WindowManagement, WindowlessModeKeepsItsRealSize) {
    InitGFXsystemScale(32, 20, 640, 400, false);
    drawPattern();
    SwitchFullScreen();
    EXPECT_EQ(gfxDeviceMode, 7);
    EXPECT_TRUE(gfxFullScreen);
    EXPECT_EQ(gfxRealScreenWidth, 640u);
    EXPECT_EQ(gfxRealScreenHeight, 400u);
    EXPECT_EQ(fake.count("createWindow"), 0);
    EXPECT_TRUE(showsPattern());
}

// The host OpenGL mode has no pixels; both switches reopen its context.
TEST_F(WindowManagement, HostOpenGLModeReopensBothWays) {
    openGLcontext(80, 60, false);
    SwitchFullScreen();
    EXPECT_EQ(gfxDeviceMode, 6);
    EXPECT_TRUE(fake.lastSpec.fullScreen);
    SwitchWindowed();
    EXPECT_FALSE(gfxDone);
    EXPECT_FALSE(fake.lastSpec.fullScreen);
    EXPECT_EQ(fake.count("createWindow"), 3);
    EXPECT_EQ(vscreen.data, nullptr);
    EXPECT_EQ(vscreen.width, 80u);
}

// A mode without a content view reopens its window too, so the picture has a
// vscreen to return to.
TEST_F(WindowManagement, ModeWithoutContentViewReopens) {
    gfxDeviceMode = 4;
    InitGFXsystem(16, 8, false);
    drawPattern();
    SwitchFullScreen();
    EXPECT_FALSE(gfxDone);
    EXPECT_EQ(gfxDeviceMode, 4);
    ASSERT_NE(vscreen.data, nullptr);
    EXPECT_TRUE(showsPattern());
}

TEST_F(WindowManagement, InputUpdateClearsTheLatchOfAReleasedButton) {
    InitGFXsystem(64, 48, false);
    fake.queueEvent({EventKind::LeftMouseDown, 0, 0, WindowAction::None});
    UpdateInternals();
    EXPECT_TRUE(mouseLclick());
    UpdateInternals();
    EXPECT_FALSE(mouseLclick());
    // Up and down again within one update: the button is never seen up.
    fake.queueEvent({EventKind::LeftMouseUp, 0, 0, WindowAction::None});
    fake.queueEvent({EventKind::LeftMouseDown, 0, 0, WindowAction::None});
    UpdateInternals();
    EXPECT_FALSE(mouseLclick());
    fake.queueEvent({EventKind::LeftMouseUp, 0, 0, WindowAction::None});
    UpdateInternals();
    fake.queueEvent({EventKind::LeftMouseDown, 0, 0, WindowAction::None});
    UpdateInternals();
    EXPECT_TRUE(mouseLclick());
    mouseL = false;
    UpdateInternals();
}

TEST_F(WindowManagement, CursorHidesAndShowsPairUp) {
    SetMouseCursor(false);
    SetMouseCursor(false);
    SetMouseCursor(true);
    EXPECT_FALSE(fake.cursorVisible);
    SetMouseCursor(true);
    EXPECT_TRUE(fake.cursorVisible);
    // A show with nothing hidden is not saved up for the next hide.
    SetMouseCursor(true);
    SetMouseCursor(false);
    EXPECT_FALSE(fake.cursorVisible);
    SetMouseCursor(true);
    EXPECT_TRUE(fake.cursorVisible);
}

TEST_F(WindowManagement, MousePositionReadsBackAfterAPoll) {
    struct Case {
        bool fullScreen;
        uint32_t x, y;
    };
    for (const Case c : {Case{false, 0, 0}, Case{false, 10, 20}, Case{false, 639, 479}, Case{true, 0, 0},
                         Case{true, 321, 17}, Case{true, 639, 479}}) {
        InitGFXsystem(640, 480, c.fullScreen);
        SetMousePos(c.x, c.y);
        pumpOnce();
        EXPECT_EQ(mouseX, int32_t(c.x)) << c.fullScreen;
        EXPECT_EQ(mouseY, int32_t(c.y)) << c.fullScreen;
        FinishGFXsystem();
    }
}

// 1000 x 700 stretched over 1280 x 1024: uneven scales on both axes.
TEST_F(WindowManagement, EveryPixelOfAnUnevenlyScaledScreenIsReachable) {
    InitGFXsystem(1000, 700, true);
    for (uint32_t i = 0; i < 1000; ++i) {
        SetMousePos(i, i % 700);
        pumpOnce();
        ASSERT_EQ(mouseX, int32_t(i));
        ASSERT_EQ(mouseY, int32_t(i % 700));
    }
}

TEST_F(WindowManagement, ScreenChangeRestoresTheCreatedSize) {
    InitGFXsystem(64, 48, false);
    fake.queueEvent({EventKind::Other, 0, 0, WindowAction::ScreenChanged});
    UpdateInternals();
    EXPECT_EQ(fake.count("setWindowFrame 0 0 64 48"), 1);
}

TEST_F(WindowManagement, OnlyCapsLockReachesThePlatform) {
    SetNumLock(true);
    SetScrollLock(true);
    EXPECT_TRUE(fake.calls.empty());
    SetCapsLock(true);
    SetCapsLock(false);
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"setCapsLock on", "setCapsLock off"}));
}

}  // namespace
}  // namespace zorblit
