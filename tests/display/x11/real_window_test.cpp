// Real windows under X: what the output window shows in modes 1, 3 and 10, read
// back from the X server (exact windowed, a nearest-neighbour stretch in full
// screen); input injected through XTEST; window management seen through X.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "display/platform.h"
#include "zorblit.h"
// After the library's headers: X defines None, which they use as a name.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace zorblit::test {
namespace {

constexpr const char *kCaption = "zorblit 4.0.8e output window";

// The test's own connection to the X server: reads what is on screen and
// injects input through XTEST, as a user would, each request handled on return.
struct XServer {
    std::unique_ptr<Display, int (*)(Display *)> display{XOpenDisplay(nullptr), XCloseDisplay};
    Display *d = display.get();

    // 0x00RRGGBB pixels of a rectangle of the screen, rows top to bottom.
    std::vector<uint32_t> read(int x, int y, int width, int height) {
        std::vector<uint32_t> pixels;
        XImage *image = XGetImage(d, DefaultRootWindow(d), x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
        for (int i = 0; image && i < width * height; ++i)
            pixels.push_back(uint32_t(XGetPixel(image, i % width, i / width)) & 0xFFFFFF);
        if (image) XDestroyImage(image);
        return pixels;
    }
    void movePointer(int x, int y) { XTestFakeMotionEvent(d, -1, x, y, CurrentTime), XSync(d, False); }
    void button(unsigned button, bool down) { XTestFakeButtonEvent(d, button, down, CurrentTime), XSync(d, False); }
    void key(const char *name, bool down) {
        XTestFakeKeyEvent(d, XKeysymToKeycode(d, XStringToKeysym(name)), down, CurrentTime), XSync(d, False);
    }
    // The mapped window of that title; without a window manager the library's windows are the root's children.
    Window find(const std::string &title) {
        Window root = 0, parent = 0, *children = nullptr, found = 0;
        unsigned count = 0;
        XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
        for (unsigned i = 0; i < count && !found; ++i) {
            char *name = nullptr;
            XWindowAttributes attributes{};
            if (XFetchName(d, children[i], &name) && name) found = title == name ? children[i] : 0, XFree(name);
            if (found && !(XGetWindowAttributes(d, found, &attributes) && attributes.map_state == IsViewable)) found = 0;
        }
        if (children) XFree(children);
        return found;
    }
    // Asks the window to close, as a window manager would.
    void requestClose(Window window) {
        XEvent event{};
        XClientMessageEvent &message = event.xclient;
        message.type = ClientMessage, message.window = window, message.format = 32;
        message.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        message.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
        XSendEvent(d, window, False, NoEventMask, &event), XSync(d, False);
    }
};

// Calls done until it answers true, for at most two seconds.
bool pollUntil(const std::function<bool()> &done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (; std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(std::chrono::milliseconds(5)))
        if (done()) return true;
    return false;
}
bool pumpUntil(const std::function<bool()> &done) { return pollUntil([&] { UpdateInternals(); return done(); }); }

struct OnXServer : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(x.d) << "needs an X display"; }
    void TearDown() override { FinishGFXsystem(), gfxDeviceMode = 0, keyboardlayout = 1; }
    XServer x;
};

// Distinct colours per pixel; the alpha byte varies and must not show.
uint32_t pattern(uint32_t x, uint32_t y) { return ((x ^ y) & 1 ? 0u : 0xFF000000u) | (x & 0xFF) << 16 | (y & 0xFF) << 8 | ((x * 3 + y * 5) & 0xFF); }

class Presents : public OnXServer, public ::testing::WithParamInterface<std::tuple<int32_t, bool>> {};

TEST_P(Presents, ThePatternPixelForPixel) {
    const auto [mode, fullScreen] = GetParam();
    // In full screen 320 x 256 stretches by exactly 4 over the 1280 x 1024 screen.
    const uint32_t width = fullScreen ? 320 : 200, height = fullScreen ? 256 : 150, scale = fullScreen ? 4 : 1;
    gfxDeviceMode = mode;
    InitGFXsystem(width, height, fullScreen);
    for (uint32_t i = 0; i < width * height; ++i) vscreen.data[i] = pattern(i % width, i / width);
    const PlatformRect frame = platform().windowFrame();
    const uint32_t shownWidth = width * scale, shownHeight = height * scale;
    ASSERT_EQ(std::pair(frame.width, frame.height), std::pair(double(shownWidth), double(shownHeight)));
    std::vector<uint32_t> expected, shown;
    for (uint32_t i = 0; i < shownWidth * shownHeight; ++i)
        expected.push_back(pattern(i % shownWidth / scale, i / shownWidth / scale) & 0xFFFFFF);
    pollUntil([&] {
        UpdateGFXsystem();
        return (shown = x.read(int(frame.x), int(frame.y), int(shownWidth), int(shownHeight))) == expected;
    });
    const size_t i = size_t(std::mismatch(shown.begin(), shown.end(), expected.begin()).first - shown.begin());
    EXPECT_EQ(i, expected.size()) << "first difference at x " << i % shownWidth << ", y " << i / shownWidth;
}

INSTANTIATE_TEST_SUITE_P(Modes, Presents, ::testing::Combine(::testing::Values(1, 3, 10), ::testing::Values(false, true)));

// One 320 x 240 window through input and window management; the fake window
// system's tests hold the switches and the pointer arithmetic.
// Without a window manager the keyboard follows the pointer, which enters from
// outside so that the new window sees it arrive.
TEST_F(OnXServer, InputAndWindowManagement) {
    std::memset(keyboard, 0, sizeof keyboard);
    doReadKey();  // clears the key latches
    InitGFXsystem(320, 240, false);
    const PlatformRect frame = platform().windowFrame();
    // The pointer at (px, py) on the screen reads as pixel (mx, my).
    const auto pointerReads = [&](int px, int py, int mx, int my) {
        if (px >= 0) x.movePointer(px, py);
        return pumpUntil([&] { return mouseX == mx && mouseY == my; }) ? "" : std::to_string(mouseX) + "," + std::to_string(mouseY);
    };
    x.movePointer(int(frame.x) - 5, int(frame.y) - 5);
    ASSERT_EQ(pointerReads(int(frame.x) + 5, int(frame.y) + 5, 5, 5), "") << "pointer not over the window";
    const Window window = x.find(kCaption);
    // Left Shift has its own key number, and with it 2 types @ on a US keyboard.
    keyboardlayout = 0;
    x.key("Shift_L", true);
    EXPECT_TRUE(pumpUntil([] { return keyboard[61] == 1; }));
    x.key("2", true);
    std::string text;
    EXPECT_TRUE(pumpUntil([&] { return !(text = doReadKey()).empty(); }) && text == "@") << text;
    x.key("2", false);
    x.key("Shift_L", false);
    EXPECT_TRUE(pumpUntil([] { return !KeyPressed(); })) << "a key stays down";
    // Buttons 1 and 3 and the wheel; SetMousePos puts the pointer over the pixel.
    for (const auto &[button, held] : {std::pair{1u, &mouseL}, {3u, &mouseR}})
        for (const bool down : {true, false})
            EXPECT_TRUE((x.button(button, down), pumpUntil([&, held = held] { return *held == down; }))) << button << down;
    EXPECT_TRUE((x.button(4, true), x.button(4, false), pumpUntil([] { return mouseWheel == 1; })));
    for (const auto &[px, py] : {std::pair{17, 33}, {0, 0}, {319, 239}}) EXPECT_EQ((SetMousePos(px, py), pointerReads(-1, 0, px, py)), "");
    SetGFXwindowPos(100, 80);
    int32_t wx = -1, wy = -1;
    EXPECT_TRUE(pumpUntil([&] { return GetGFXwindowPos(&wx, &wy), wx == 100 && wy == 80; })) << wx << "," << wy;
    SetGFXwindowCaption("Level 2");
    EXPECT_TRUE(pumpUntil([&] { return window && x.find("Level 2") == window; }));
    // The window manager's close request sets gfxDone and hides the window.
    x.requestClose(window);
    EXPECT_TRUE(pumpUntil([] { return gfxDone; }));
    EXPECT_TRUE(pollUntil([&] { return !x.find("Level 2"); }));
}

}  // namespace
}  // namespace zorblit::test
