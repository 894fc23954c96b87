// The output window in every mode, the event pump, window management, the
// full-screen switches and the pointer, on the fake window system with a
// hand-driven clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "display/platform_fake.h"
#include "support/diagnostics.h"
#include "test_clock.h"
#include "timing/fps.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

using enum EventKind;

// Read before main, before any test initialises anything.
const auto atLoad = std::tuple(gfxDeviceMode, gfxFullScreen, gfxDone, gfxCenterWindow, gfxPixelSizeX,
                               gfxPixelSizeY, gfxRealScreenWidth, gfxRealScreenHeight);

TEST(DisplayGlobals, LoadTimeDefaults) { EXPECT_EQ(atLoad, std::tuple(0, false, false, true, 1.0f, 1.0f, 0u, 0u)); }

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(keyboard, 0, sizeof keyboard);
        keyboardlayout = 1;
        gfxUsingThreads = false;
    }
    void TearDown() override {
        FinishGFXsystem();
        gfxDeviceMode = 0;
        keyboardlayout = 1;
        gfxFullScreen = mouseL = false;
    }
    // The calls since the last look, without the one-time application start.
    std::string takeCalls() {
        std::string joined;
        for (size_t i = fake.calls.size() > 1 && fake.calls[0] == "startApplication" ? 2 : 0; i < fake.calls.size(); ++i)
            joined += (joined.empty() ? "" : ", ") + fake.calls[i];
        fake.calls.clear();
        return joined;
    }
    void send(const PlatformEvent &event) {
        fake.queueEvent(event);
        UpdateInternals();
    }

    ManualClock clock;
    FakePlatform fake;
};

TEST_F(Lifecycle, ImageView) {
    mouseL = mouseR = gfxDone = true;
    InitGFXsystem(640, 480, false);
    ASSERT_NE(vscreen.data, nullptr);
    EXPECT_EQ(std::tuple(gfxDeviceMode, vscreen.width, vscreen.height, gfxRealScreenWidth, gfxRealScreenHeight),
              std::tuple(1, 640u, 480u, 640u, 480u));
    EXPECT_EQ(std::tuple(clipX1, clipY1, clipX2, clipY2), std::tuple(0, 0, 640, 480));
    EXPECT_FALSE(gfxDone || gfxFullScreen || mouseL || mouseR);
    EXPECT_EQ(frameTimer().frames, 1u);
    EXPECT_EQ(fake.lastRequest.caption, "zorblit 4.0.8e output window");
    EXPECT_EQ(fake.imagePixels, vscreen.data);
    EXPECT_EQ(takeCalls(), "measureTitleBarHeight, createWindow 640x480, installImageView 640x480 -> 640x480, "
                           "activateApplication, showWindow, makeKeyWindow, centerWindow, activateApplication, "
                           "makeKeyWindow, centerWindow");
    // FlipScreen only marks the view; the pump redraws it, as it does when the window is uncovered.
    FlipScreen();
    EXPECT_TRUE(fake.imageRedraws == 0 && frameTimer().frames == 2);
    UpdateInternals();
    UpdateInternals();
    EXPECT_EQ(fake.imageRedraws, 1);
    send({.action = WindowAction::Expose});
    EXPECT_EQ(fake.imageRedraws, 2);

    FinishGFXsystem();
    EXPECT_EQ(takeCalls(), "closeWindow, releaseWindow, releaseImageView");
    EXPECT_TRUE(vscreen.data == nullptr && gfxDeviceMode == 1);
    // Full screen covers the desktop.
    InitGFXsystem(320, 200, true);
    EXPECT_TRUE(gfxFullScreen);
    EXPECT_EQ(takeCalls(), "createWindow 1280x1024 full, installImageView 320x200 -> 1280x1024, activateApplication, "
                           "showWindow, makeKeyWindow, activateApplication, makeKeyWindow");
}

TEST_F(Lifecycle, OpenGLPixelModeSetsUpZoomAndCopiesEachFrame) {
    gfxDeviceMode = 3;
    fake.titleBarHeight = 20;
    InitGFXsystem(640, 480, false);
    EXPECT_EQ(std::pair(gfxPixelSizeX, gfxPixelSizeY), std::pair(1.0f, float(460.0 / 480.0)));
    EXPECT_EQ(takeCalls(), "measureTitleBarHeight, createWindow 640x460 gl, installGLView, activateApplication, "
                           "showWindow, makeKeyWindow, centerWindow, activateApplication, makeKeyWindow, centerWindow, "
                           "gl ClearColor 0 0 0 1, gl Clear 16384, gl MatrixMode 5889, gl LoadIdentity, "
                           "gl Viewport 0 0 640 460, gl Ortho 0 639 0 479 -1 1, gl RasterPos 0 479, "
                           "gl MatrixMode 5888, gl LoadIdentity, gl PixelZoom 1 -0.958333");
    FlipScreen();
    gfxUsingThreads = true;
    FlipScreen();
    EXPECT_EQ(takeCalls(), "gl DrawPixels 640 480 32993 5121, swapGLBuffers, makeGLCurrent, "
                           "gl DrawPixels 640 480 32993 5121, swapGLBuffers");
    FinishGFXsystem();
    EXPECT_EQ(takeCalls(), "releaseGLView, closeWindow, releaseWindow");

    fake.scale = 2;  // a double-density screen
    fake.titleBarHeight = 0;
    InitGFXsystem(640, 480, false);
    EXPECT_EQ(std::pair(gfxPixelSizeX, gfxPixelSizeY), std::pair(1.0f, 1.0f));
}

// One system at a time; the host OpenGL mode draws nothing itself and frees only
// pixels initialisation allocated, whatever the mode says by then.
TEST_F(Lifecycle, SecondInitialisationAndHostOpenGLPixels) {
    InitGFXsystem(64, 48, false);
    InitGFXsystem(32, 16, false);
    EXPECT_EQ(std::tuple(fake.count("createWindow"), fake.count("releaseWindow"), fake.windowExists),
              std::tuple(2, 1, true));
    openGLcontext(32, 16, false);  // starts without the pixels of the system it replaced
    EXPECT_EQ(vscreen.data, nullptr);
    FinishGFXsystem();

    uint32_t hostPixel = 0;
    vscreen.data = &hostPixel;
    openGLcontext(800, 600, false);
    EXPECT_EQ(std::tuple(gfxDeviceMode, vscreen.width, vscreen.height, vscreen.data, fake.count("gl ")),
              std::tuple(6, 800u, 600u, &hostPixel, 0));
    fake.calls.clear();
    FlipScreen();
    EXPECT_EQ(takeCalls(), "swapGLBuffers");
    gfxDeviceMode = 1;
    FinishGFXsystem();
    EXPECT_EQ(vscreen.data, &hostPixel);
    vscreen.data = nullptr;
    InitGFXsystem(64, 48, false);
    gfxDeviceMode = 6;
    FinishGFXsystem();
    EXPECT_EQ(vscreen.data, nullptr);
}

TEST_F(Lifecycle, WindowlessScaleModeOpensNothing) {
    gfxDeviceMode = 3;
    InitGFXsystemScale(320, 200, 640, 400, false);
    EXPECT_EQ(std::tuple(gfxDeviceMode, vscreen.width, gfxRealScreenWidth, gfxRealScreenHeight),
              std::tuple(7, 320u, 640u, 400u));
    ASSERT_NE(vscreen.data, nullptr);
    FlipScreen();
    UpdateGFXsystem();
    EXPECT_EQ(frameTimer().frames, 3u);
    FinishGFXsystem();
    EXPECT_EQ(takeCalls(), "closeWindow, releaseWindow");  // and nothing before
    EXPECT_EQ(vscreen.data, nullptr);
}

// The texture view redraws at most sixty times a second.
TEST_F(Lifecycle, TextureViewAndUnknownMode) {
    gfxDeviceMode = 10;
    InitGFXsystem(640, 480, false);
    EXPECT_EQ(fake.count("installTextureView 640x480"), 1);
    EXPECT_EQ(fake.textureRedraws, 1);
    for (int ms = 0; ms < 1000; ++ms) ManualClock::advance(1), UpdateGFXsystem();
    EXPECT_EQ(fake.textureRedraws, 61);
    FinishGFXsystem();
    EXPECT_EQ(fake.count("releaseTextureView"), 1);
    // An unknown mode opens a window without content.
    gfxDeviceMode = 5;
    InitGFXsystem(300, 200, false);
    EXPECT_EQ(fake.count("createWindow 300x200"), 1);
    fake.calls.clear();
    UpdateGFXsystem();
    EXPECT_EQ(takeCalls(), "");
    EXPECT_EQ(fake.imageRedraws + fake.textureRedraws + fake.swaps, 61);  // the texture view's, no more
}

TEST_F(Lifecycle, SetupFailuresAreFatalWithTheirTexts) {
    setMessageBoxHandler([](const char *, const char *body) { return std::fprintf(stderr, "box: %s\n", body) > 0; });
    gfxDeviceMode = 10;
    fake.textureStatus = {false, true, {}};
    EXPECT_EXIT(InitGFXsystem(64, 48, false), ::testing::ExitedWithCode(1), "box: No Metal device");
    fake.textureStatus = {false, false, "texture too large"};
    EXPECT_EXIT(InitGFXsystem(64, 48, false), ::testing::ExitedWithCode(1), "box: texture too large");
    gfxDeviceMode = 3;
    fake.failGLView = true;
    EXPECT_EXIT(InitGFXsystem(64, 48, false), ::testing::ExitedWithCode(1), "box: invalid NSOpenGLContext");
    fake.failWindow = true;
    EXPECT_EXIT(InitGFXsystem(64, 48, false), ::testing::ExitedWithCode(1), "box: No compatible NSOpenGLPixelFormat found");
}

// Window management; the close button and a quit request set gfxDone, the quit
// only through the pump.
TEST_F(Lifecycle, WindowManagementCloseAndQuit) {
    fake.usable = {0, 24, 1280, 976};
    fake.desktop = {0, 0, 1919.5, 1080.5};
    InitGFXsystem(64, 48, false);
    MinimizeGFXwindow();
    RestoreGFXwindow();
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
    send({.action = WindowAction::CloseRequest});
    EXPECT_TRUE(gfxDone && fake.windowExists && !fake.windowVisible);
    send({.action = WindowAction::ScreenChanged});  // restores the window size
    EXPECT_EQ(fake.count("setWindowFrame 0 0 64 48"), 1);
    // In full screen the position moves nothing but still takes in events.
    InitGFXsystem(64, 48, true);
    fake.calls.clear();
    fake.queueEvent({LeftMouseDown});
    fake.queueEvent({.action = WindowAction::Quit});
    FlipScreen();
    EXPECT_FALSE(gfxDone || mouseL);
    SetGFXwindowPos(100, 100);
    EXPECT_EQ(fake.count("setWindowTopLeft"), 0);
    EXPECT_TRUE(gfxDone && mouseL);
}

// Each switch reopens the system in its mode with its size and picture (an
// unknown mode gets a window for it; the host OpenGL mode has none to carry);
// a repeated switch does nothing.
TEST_F(Lifecycle, SwitchesKeepModeSizeAndPicture) {
    for (const int32_t mode : {1, 5, 6, 7}) {
        gfxDeviceMode = mode;
        mode == 7 ? InitGFXsystemScale(64, 48, 640, 400, false) : InitGFXsystem(64, 48, false);
        std::vector<uint32_t> drawn;
        for (uint32_t i = 0; vscreen.data && i < 64 * 48; ++i) drawn.push_back(vscreen.data[i] = i * 2654435761u);
        fake.calls.clear();
        SwitchWindowed();
        SwitchFullScreen();
        SwitchFullScreen();
        EXPECT_EQ(fake.count("createWindow"), mode == 7 ? 0 : 1) << mode;
        EXPECT_TRUE(gfxFullScreen && !gfxDone && (mode == 7 || fake.lastRequest.fullScreen)) << mode;
        SwitchWindowed();
        EXPECT_FALSE(gfxFullScreen || gfxDone || fake.lastRequest.fullScreen) << mode;
        EXPECT_EQ(std::tuple(gfxDeviceMode, clipX2, clipY2, gfxRealScreenWidth),
                  std::tuple(mode, 64, 48, mode == 7 ? 640u : 64u));
        EXPECT_EQ(std::vector(vscreen.data, vscreen.data + (vscreen.data ? 64 * 48 : 0)), drawn) << mode;
        EXPECT_TRUE(mode != 1 || fake.imagePixels == vscreen.data);
        FinishGFXsystem();
    }
}

// Cursor hides and shows pair up; of the lock keys only Caps Lock reaches the platform.
TEST_F(Lifecycle, CursorAndLockKeys) {
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

class EventPump : public Lifecycle {
protected:
    void SetUp() override {
        Lifecycle::SetUp();
        InitGFXsystem(640, 480, false);
    }
};

TEST_F(EventPump, KeyTableAndLayouts) {
    // F11 (103) has no key number and lands on 0; codes from 256 up are ignored.
    for (const auto &[code, number] : {std::pair{0u, 1}, {122u, 37}, {103u, 0}, {200u, 47}}) {
        send({KeyDown, code});
        EXPECT_EQ(keyboard[number], 1) << code;
        send({KeyUp, code});
        EXPECT_EQ(keyboard[number], 0) << code;
    }
    send({KeyDown, 256 + 12});
    EXPECT_EQ(std::count(std::begin(keyboard), std::end(keyboard), 0), 256);
    // Y (6) and Z (16) swap places with the layout.
    for (const auto &[layout, z, y] : {std::tuple{0, 7, 16}, {1, 16, 7}, {2, 0, 0}}) {
        keyboardlayout = layout;
        for (const auto &[code, number] : {std::pair{6u, z}, {16u, y}}) {
            send({KeyDown, code});
            EXPECT_EQ(keyboard[number], 1) << "layout " << layout;
            send({KeyUp, code});
        }
    }
}

// Option (56) toggles; Caps Lock (57) shows for one poll (0 here: a poll without
// events); code 255 releases it and swallows the next Caps Lock event.
TEST_F(EventPump, ModifiersCapsLockAndKeyboardDelay) {
    for (const auto &[code, number, down] :
         {std::tuple{56u, 61, 1}, {56u, 61, 0}, {57u, 54, 1}, {0u, 54, 0}, {255u, 54, 0}, {57u, 54, 0}, {57u, 54, 1}}) {
        code ? send({FlagsChanged, code}) : UpdateInternals();
        EXPECT_EQ(keyboard[number], down) << code;
    }
    // The keyboard delay drops key events.
    keyboard[5] = 1;
    delayKeyboard();
    EXPECT_EQ(keyboard[5], 0);
    send({KeyDown, 0});
    send({FlagsChanged, 56});
    send({FlagsChanged, 57});
    EXPECT_EQ(keyboard[1] + keyboard[61] + keyboard[54], 0);
    for (const int wait : {256, 1}) {  // for 256 ms, no more
        ManualClock::advance(wait);
        send({KeyDown, 0});
        EXPECT_EQ(keyboard[1], wait == 1);
    }
}

// The wheel adds up over a poll, rounds to even and lasts one poll; buttons
// take the last event of a poll unless they went down in it; key events are
// never handed on.
TEST_F(EventPump, WheelButtonsAndHandingOn) {
    for (const auto &[delta, expected] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.4, 0}, {-1.6, -2}}) {
        send({.kind = ScrollWheel, .wheelDeltaY = delta});
        EXPECT_EQ(mouseWheel, expected) << delta;
    }
    for (const double delta : {1.0, 1.0, 1.0, 0.25, 0.25}) fake.queueEvent({.kind = ScrollWheel, .wheelDeltaY = delta});
    UpdateInternals();
    EXPECT_EQ(mouseWheel, 4);  // 3.5 rounds to even
    for (const double delta : {1e300, 1e300, -1e300}) fake.queueEvent({.kind = ScrollWheel, .wheelDeltaY = delta});
    UpdateInternals();
    EXPECT_EQ(mouseWheel, INT32_MAX);
    UpdateInternals();
    EXPECT_EQ(mouseWheel, 0);
    for (EventKind kind : {LeftMouseDown, RightMouseDown}) fake.queueEvent({kind});
    UpdateInternals();
    EXPECT_TRUE(mouseL && mouseR && mouseLclick());
    // A held right button let go; the held left one let go, pressed and let go again.
    for (EventKind kind : {RightMouseUp, LeftMouseUp, LeftMouseDown, LeftMouseUp}) fake.queueEvent({kind});
    UpdateInternals();
    EXPECT_TRUE(mouseL && !mouseR && mouseLclick());
    fake.sentEvents.clear();
    for (const PlatformEvent &event : {PlatformEvent{KeyDown, 12}, {KeyUp, 12}, {FlagsChanged, 55}, {ScrollWheel},
                                       {LeftMouseDown}, {}})
        fake.queueEvent(event);
    UpdateInternals();
    EXPECT_TRUE(mouseLclick());  // a new press clicks again
    ASSERT_EQ(fake.sentEvents.size(), 4u);
    EXPECT_EQ(fake.sentEvents[0].kind, FlagsChanged);
    EXPECT_EQ(fake.sentEvents[3].kind, Other);
    EXPECT_FALSE(gfxDone);
}

// A key or button pressed and let go within one poll reads as down until the
// next poll, and is reported once; a key held across polls types once.
TEST_F(EventPump, QuickPressesAreSeenOnce) {
    keyboardlayout = 0;
    doReadKey();
    for (const PlatformEvent &event : {PlatformEvent{KeyDown, 0}, {KeyUp, 0}, {LeftMouseDown}, {LeftMouseUp},
                                       {RightMouseDown}, {RightMouseUp}, {FlagsChanged, 56}, {FlagsChanged, 56}})
        fake.queueEvent(event);
    UpdateInternals();
    EXPECT_TRUE(keyboard[1] && keyboard[61] && mouseL && mouseR);
    EXPECT_STREQ(doReadKey(), "A");  // with the Shift tapped in the same poll
    EXPECT_STREQ(doReadKey(), "");
    EXPECT_TRUE(mouseLclick() && mouseRclick());
    EXPECT_FALSE(mouseLclick() || mouseRclick());
    UpdateInternals();
    EXPECT_FALSE(keyboard[1] || keyboard[61] || mouseL || mouseR);
    EXPECT_STREQ(doReadKey(), "");
    // Shift toggles from up again; a held key with repeats types once.
    send({FlagsChanged, 56});
    EXPECT_EQ(keyboard[61], 1);
    send({FlagsChanged, 56});
    for (int poll = 0; poll < 3; ++poll) {
        send({KeyDown, 11});
        EXPECT_STREQ(doReadKey(), poll == 0 ? "b" : "");
    }
    // Let go and pressed again before doReadKey saw it up: a new press.
    fake.queueKey(KeyUp, 11);
    fake.queueKey(KeyDown, 11);
    UpdateInternals();
    EXPECT_STREQ(doReadKey(), "b");
    send({KeyUp, 11});
    EXPECT_EQ(keyboard[11], 0);
}

// The pixel under the pointer: the fake puts a windowed content area at (100, 50);
// 320 x 200 in full screen stretches over its 1280 x 1024 desktop. Not clamped.
TEST_F(EventPump, PointerGivesThePixelUnderIt) {
    const struct { bool fullScreen; double x, y; int32_t mouseX, mouseY; } cases[] = {
        {false, 100, 50, 0, 0},      {false, 739, 529, 639, 479}, {false, 100, 529, 0, 479}, {false, 99.5, 49, -1, -1},
        {false, 900, 600, 800, 550}, {true, 0, 0, 0, 0},          {true, 1279, 1023, 319, 199}, {true, 4, 5, 1, 0},
        {true, 3, 6, 0, 1},          {true, -1, 1024, -1, 200}};
    for (const auto &c : cases) {
        if (c.fullScreen != gfxFullScreen) InitGFXsystem(320, 200, true);
        fake.pointer = {c.x, c.y};
        send({});
        EXPECT_EQ(std::pair(mouseX, mouseY), std::pair(c.mouseX, c.mouseY)) << c.x << "," << c.y;
    }
    fake.pointer = {200, 200};  // without an event the pointer stays
    UpdateInternals();
    EXPECT_EQ(std::pair(mouseX, mouseY), std::pair(-1, 200));
}

// SetMousePos puts the pointer where the pump reads that pixel back: one window
// pixel per virtual pixel when windowed, uneven scales (1000 x 700 over
// 1280 x 1024) in full screen.
TEST_F(EventPump, WarpedPointerReadsBack) {
    for (const bool fullScreen : {false, true}) {
        InitGFXsystem(1000, 700, fullScreen);
        for (uint32_t i = 0; i < 1000; ++i) {
            SetMousePos(i, i % 700);
            send({});
            ASSERT_EQ(std::pair(mouseX, mouseY), std::pair(int32_t(i), int32_t(i % 700))) << fullScreen;
        }
    }
}

}  // namespace
}  // namespace zorblit::test
