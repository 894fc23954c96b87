// Input injected through XTEST reaches the keyboard and mouse globals; a close
// request from the window manager sets gfxDone and hides the window.
#include <gtest/gtest.h>

#include <cstring>

#include "display/platform.h"
#include "x_server.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

constexpr const char *kCaption = "zorblit 4.0.8e output window";

class RealInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.connected()) << "needs an X display";
        std::memset(keyboard, 0, sizeof keyboard);
        InitGFXsystem(320, 240, false);
        frame = platform().windowFrame();
        // Without a window manager the keyboard follows the pointer.
        x.movePointer(int(frame.x) + 5, int(frame.y) + 5);
    }
    void TearDown() override {
        FinishGFXsystem();
        gfxDeviceMode = 0;
    }
    bool pumpUntil(const std::function<bool()> &done) { return pollUntil([] { UpdateInternals(); }, done); }

    XServer x;
    PlatformRect frame;
};

TEST_F(RealInput, KeysButtonsAndWheel) {
    for (const auto &[name, number] : {std::pair{"a", 1}, {"Shift_L", 61}})
        for (const bool down : {true, false}) {
            x.key(name, down);
            EXPECT_TRUE(pumpUntil([&] { return keyboard[number] == down; })) << name << " " << down;
        }
    for (const unsigned button : {1u, 3u})
        for (const bool down : {true, false}) {
            x.button(button, down);
            EXPECT_TRUE(pumpUntil([&] { return (button == 1 ? mouseL : mouseR) == down; })) << button << " " << down;
        }
    x.button(4, true);
    x.button(4, false);
    EXPECT_TRUE(pumpUntil([] { return mouseWheel == 1; }));
    UpdateInternals();
    EXPECT_EQ(mouseWheel, 0);
}

// Windowed one pixel per pixel; 320 x 256 in full screen is a quarter of
// Xvfb's 1280 x 1024 each way.
TEST_F(RealInput, PointerGivesThePixelUnderIt) {
    const struct {
        bool fullScreen;
        int x, y;
        int32_t mouseX, mouseY;
    } cases[] = {{false, 17, 33, 17, 33}, {false, 319, 239, 319, 239}, {true, 0, 0, 0, 0},
                 {true, 1279, 1023, 319, 255}, {true, 7, 8, 1, 2}};
    for (const auto &c : cases) {
        if (c.fullScreen && !gfxFullScreen) InitGFXsystem(320, 256, true);
        const int originX = c.fullScreen ? 0 : int(frame.x), originY = c.fullScreen ? 0 : int(frame.y);
        x.movePointer(originX + c.x, originY + c.y);
        EXPECT_TRUE(pumpUntil([&] { return mouseX == c.mouseX && mouseY == c.mouseY; }))
            << c.x << "," << c.y << " read " << mouseX << "," << mouseY;
    }
}

TEST_F(RealInput, CloseRequestSetsDoneAndHidesTheWindow) {
    EXPECT_TRUE(x.isMapped(kCaption));
    ASSERT_TRUE(x.requestClose(kCaption));
    EXPECT_TRUE(pumpUntil([] { return gfxDone; }));
    EXPECT_TRUE(pollUntil([] {}, [&] { return !x.isMapped(kCaption); }));
}

}  // namespace
}  // namespace zorblit::test
