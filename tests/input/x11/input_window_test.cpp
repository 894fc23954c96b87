// Keyboard, mouse and window management on a real window under X: input is
// injected through XTEST and the window is inspected through X.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "display/platform.h"
#include "x_server.h"
#include "zorblit.h"

namespace zorblit::test {
namespace {

constexpr const char *kCaption = "zorblit 4.0.8e output window";

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.connected()) << "needs an X display";
        std::memset(keyboard, 0, sizeof keyboard);
        doReadKey();  // clears the key latches
        InitGFXsystem(320, 240, false);
        // Without a window manager the keyboard follows the pointer, which
        // enters from outside so that the new window sees it arrive.
        const PlatformRect frame = platform().windowFrame();
        mouseX = mouseY = -1;
        x.movePointer(int(frame.x) - 5, int(frame.y) - 5);
        x.movePointer(int(frame.x) + 5, int(frame.y) + 5);
        ASSERT_TRUE(pumpUntil([] { return mouseX == 5 && mouseY == 5; })) << "pointer not over the window";
    }
    void TearDown() override {
        FinishGFXsystem();
        gfxDeviceMode = 0;
        keyboardlayout = 1;
    }
    static bool pumpUntil(const std::function<bool()> &done) { return pollUntil([] { UpdateInternals(); }, done); }
    // Presses the keys in order, reads the text they type, releases them.
    std::string typed(std::initializer_list<const char *> keys) {
        for (const char *key : keys) x.key(key, true);
        std::string text;
        pumpUntil([&] { return !(text = doReadKey()).empty(); });
        for (const char *key : keys) x.key(key, false);
        pumpUntil([] { return !KeyPressed(); });
        return text;
    }

    XServer x;
};

TEST_F(RealWindow, TypedKeysComeBackFromDoReadKey) {
    keyboardlayout = 0;
    EXPECT_EQ(typed({"a"}), "a");
    EXPECT_EQ(typed({"Shift_L", "2"}), "@");
    keyboardlayout = 1;
    EXPECT_EQ(typed({"minus"}), "ß");
}

TEST_F(RealWindow, OnePressGivesOneClickAndThePointerWarps) {
    x.button(1, true);
    ASSERT_TRUE(pumpUntil([] { return mouseL; }));
    EXPECT_TRUE(mouseLclick());
    UpdateInternals();
    EXPECT_FALSE(mouseLclick());
    x.button(1, false);
    ASSERT_TRUE(pumpUntil([] { return !mouseL; }));

    for (const auto &[px, py] : {std::pair{17, 33}, std::pair{0, 0}, std::pair{319, 239}}) {
        SetMousePos(px, py);
        EXPECT_TRUE(pumpUntil([&] { return mouseX == px && mouseY == py; }))
            << px << "," << py << " read " << mouseX << "," << mouseY;
    }
}

TEST_F(RealWindow, PositionCaptionMinimiseRestore) {
    SetGFXwindowPos(100, 80);
    int32_t wx = -1, wy = -1;
    EXPECT_TRUE(pumpUntil([&] {
        GetGFXwindowPos(&wx, &wy);
        return wx == 100 && wy == 80;
    })) << wx << "," << wy;

    SetGFXwindowCaption("Level 2");
    EXPECT_TRUE(x.isMapped("Level 2"));
    SetGFXwindowCaption(kCaption);

    MinimizeGFXwindow();
    UpdateInternals();
    RestoreGFXwindow();
    EXPECT_FALSE(gfxWindowMinimized);
    EXPECT_TRUE(pumpUntil([&] { return x.isMapped(kCaption); }));
}

TEST_F(RealWindow, SwitchesKeepThePicture) {
    for (uint32_t i = 0; i < 320 * 240; ++i) vscreen.data[i] = 0xFF000000u | i * 40503u;
    const auto showsPicture = [] {
        bool same = vscreen.width == 320 && vscreen.height == 240;
        for (uint32_t i = 0; same && i < 320 * 240; ++i) same = vscreen.data[i] == (0xFF000000u | i * 40503u);
        return same && !gfxDone && gfxDeviceMode == 1;
    };
    SwitchFullScreen();
    EXPECT_TRUE(gfxFullScreen);
    EXPECT_TRUE(showsPicture());
    const PlatformRect desktop = platform().desktopFrame();
    EXPECT_TRUE(pollUntil([] { UpdateGFXsystem(); }, [&] {
        const PlatformRect frame = platform().windowFrame();
        return frame.width == desktop.width && frame.height == desktop.height;
    }));

    SwitchWindowed();
    EXPECT_FALSE(gfxFullScreen);
    EXPECT_TRUE(showsPicture());
    EXPECT_EQ(platform().windowFrame().width, 320);
    EXPECT_TRUE(x.isMapped(kCaption));
}

}  // namespace
}  // namespace zorblit::test
