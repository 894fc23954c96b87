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

TEST_F(RealInput, KeysButtonsWheelAndPointer) {
    x.key("a", true);
    EXPECT_TRUE(pumpUntil([] { return keyboard[1] == 1; }));
    x.key("a", false);
    EXPECT_TRUE(pumpUntil([] { return keyboard[1] == 0; }));
    x.key("Shift_L", true);
    EXPECT_TRUE(pumpUntil([] { return keyboard[61] == 1; }));
    x.key("Shift_L", false);
    EXPECT_TRUE(pumpUntil([] { return keyboard[61] == 0; }));

    x.movePointer(int(frame.x) + 17, int(frame.y) + 33);
    EXPECT_TRUE(pumpUntil([] { return mouseX == 17 && mouseY == 33; })) << mouseX << "," << mouseY;
    x.movePointer(int(frame.x) + 319, int(frame.y) + 239);
    EXPECT_TRUE(pumpUntil([] { return mouseX == 319 && mouseY == 239; })) << mouseX << "," << mouseY;

    x.button(1, true);
    EXPECT_TRUE(pumpUntil([] { return mouseL; }));
    x.button(1, false);
    EXPECT_TRUE(pumpUntil([] { return !mouseL; }));
    x.button(3, true);
    EXPECT_TRUE(pumpUntil([] { return mouseR; }));
    x.button(3, false);
    EXPECT_TRUE(pumpUntil([] { return !mouseR; }));

    x.button(4, true);
    x.button(4, false);
    EXPECT_TRUE(pumpUntil([] { return mouseWheel == 1; }));
    UpdateInternals();
    EXPECT_EQ(mouseWheel, 0);
}

TEST_F(RealInput, CloseRequestSetsDoneAndHidesTheWindow) {
    EXPECT_TRUE(x.isMapped(kCaption));
    ASSERT_TRUE(x.requestClose(kCaption));
    EXPECT_TRUE(pumpUntil([] { return gfxDone; }));
    EXPECT_TRUE(pollUntil([] {}, [&] { return !x.isMapped(kCaption); }));
}

TEST(RealFullScreenInput, PointerIsScaledToTheVirtualScreen) {
    XServer x;
    ASSERT_TRUE(x.connected()) << "needs an X display";
    InitGFXsystem(320, 256, true);  // a quarter of Xvfb's 1280 x 1024 each way
    const auto pointerReads = [&](int px, int py, int32_t expectedX, int32_t expectedY) {
        x.movePointer(px, py);
        return pollUntil([] { UpdateInternals(); }, [&] { return mouseX == expectedX && mouseY == expectedY; });
    };
    EXPECT_TRUE(pointerReads(0, 0, 0, 0)) << mouseX << "," << mouseY;
    EXPECT_TRUE(pointerReads(1279, 1023, 319, 255)) << mouseX << "," << mouseY;
    EXPECT_TRUE(pointerReads(7, 8, 1, 2)) << mouseX << "," << mouseY;
    FinishGFXsystem();
    gfxDeviceMode = 0;
}

}  // namespace
}  // namespace zorblit::test
