// Keyboard, mouse and window management on a real window under X: input is
// injected through XTEST and the window is inspected through X.
#include <gtest/gtest.h>

#include <cstring>

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
        const PlatformRect frame = platform().windowFrame();
        // Without a window manager the keyboard follows the pointer. It enters
        // from outside, so the new window sees it arrive.
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
    void type(const char *keysym) {
        x.key(keysym, true);
        x.key(keysym, false);
    }
    // The next text doReadKey gives within two seconds of pumping.
    static std::string nextTypedText() {
        std::string text;
        pumpUntil([&] { return !(text = doReadKey()).empty(); });
        return text;
    }

    XServer x;
};

TEST_F(RealWindow, TypedKeysComeBackFromDoReadKey) {
    keyboardlayout = 0;
    x.key("a", true);
    EXPECT_EQ(nextTypedText(), "a");
    x.key("a", false);
    x.key("Shift_L", true);
    x.key("2", true);
    EXPECT_EQ(nextTypedText(), "@");
    x.key("2", false);
    x.key("Shift_L", false);
    keyboardlayout = 1;
    x.key("minus", true);
    EXPECT_EQ(nextTypedText(), "ß");
    x.key("minus", false);
    EXPECT_TRUE(pumpUntil([] { return !KeyPressed(); }));
}

TEST_F(RealWindow, OnePressGivesOneClick) {
    x.button(1, true);
    ASSERT_TRUE(pumpUntil([] { return mouseL; }));
    EXPECT_TRUE(mouseLclick());
    UpdateInternals();
    EXPECT_FALSE(mouseLclick());
    x.button(1, false);
    ASSERT_TRUE(pumpUntil([] { return !mouseL; }));
    EXPECT_FALSE(mouseLclick());
}

TEST_F(RealWindow, PointerPositionReadsBack) {
    for (const auto &[px, py] : {std::pair{17u, 33u}, std::pair{0u, 0u}, std::pair{319u, 239u}}) {
        SetMousePos(px, py);
        EXPECT_TRUE(pumpUntil([&] { return mouseX == int32_t(px) && mouseY == int32_t(py); }))
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
    EXPECT_TRUE(gfxWindowMinimized);
    RestoreGFXwindow();
    EXPECT_FALSE(gfxWindowMinimized);
    EXPECT_TRUE(pollUntil([] { UpdateInternals(); }, [&] { return x.isMapped(kCaption); }));
}

TEST_F(RealWindow, SwitchesKeepThePicture) {
    for (uint32_t i = 0; i < 320 * 240; ++i) vscreen.data[i] = 0xFF000000u | i * 40503u;
    const auto showsPicture = [] {
        if (vscreen.width != 320 || vscreen.height != 240) return false;
        for (uint32_t i = 0; i < 320 * 240; ++i)
            if (vscreen.data[i] != (0xFF000000u | i * 40503u)) return false;
        return true;
    };
    SwitchFullScreen();
    EXPECT_TRUE(gfxFullScreen);
    EXPECT_FALSE(gfxDone);
    EXPECT_EQ(gfxDeviceMode, 1);
    EXPECT_TRUE(showsPicture());
    const PlatformRect desktop = platform().desktopFrame();
    EXPECT_TRUE(pollUntil([] { UpdateGFXsystem(); }, [&] {
        const PlatformRect frame = platform().windowFrame();
        return frame.width == desktop.width && frame.height == desktop.height;
    }));

    SwitchWindowed();
    EXPECT_FALSE(gfxFullScreen);
    EXPECT_FALSE(gfxDone);
    EXPECT_EQ(gfxDeviceMode, 1);
    EXPECT_TRUE(showsPicture());
    EXPECT_EQ(platform().windowFrame().width, 320);
    EXPECT_TRUE(x.isMapped(kCaption));
}

}  // namespace
}  // namespace zorblit::test
