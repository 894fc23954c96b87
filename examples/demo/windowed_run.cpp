#include "windowed_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "keys.h"
#include "scene_render.h"

namespace demo {
namespace {

constexpr int32_t kImageViewMode = 1, kOpenGLMode = 3, kTextureMode = 10;
constexpr auto kFramePeriod = std::chrono::microseconds(1000000 / 60);

class WindowedDemo {
public:
    explicit WindowedDemo(const LoadedImages &images) : images_(images) {}

    void run() {
        InitGFXsystem(kScreenWidth, kScreenHeight, false);
        showCaption();
        auto lastFpsLine = std::chrono::steady_clock::now();
        auto nextFrame = lastFpsLine;
        while (!gfxDone && !keyboard[key::kEscape]) {
            renderScene(scene_, {vscreen, frame_++, images_});
            UpdateGFXsystem();
            keys_.update();
            takeKeys();
            // The scenes move by frame: hold them to a steady pace.
            nextFrame = std::max(nextFrame + kFramePeriod, std::chrono::steady_clock::now() - kFramePeriod);
            std::this_thread::sleep_until(nextFrame);
            const auto now = std::chrono::steady_clock::now();
            if (now - lastFpsLine >= std::chrono::seconds(1)) {
                ReturnFPSstring();
                lastFpsLine = now;
            }
        }
        FinishGFXsystem();
    }

private:
    void showCaption() {
        char caption[160];
        std::snprintf(caption, sizeof caption, "zorblit demo %zu/%zu: %s  [mode %d]", scene_ + 1, allScenes().size(),
                      allScenes()[scene_].caption, gfxDeviceMode);
        SetGFXwindowCaption(caption);
    }

    void changeScene(int step) {
        const size_t count = allScenes().size();
        scene_ = (scene_ + size_t(int(count) + step)) % count;
        frame_ = 0;
        showCaption();
    }

    void restartInMode(int32_t mode) {
        const bool fullScreen = gfxFullScreen;
        FinishGFXsystem();
        gfxDeviceMode = mode;
        InitGFXsystem(kScreenWidth, kScreenHeight, fullScreen);
        std::printf("output restarted in mode %d\n", mode);
        showCaption();
    }

    // The screen as shown, into the next free zorblit-screenshot-<n>.png.
    void saveScreenshot() {
        char name[64];
        do std::snprintf(name, sizeof name, "zorblit-screenshot-%u.png", ++screenshots_);
        while (FileExists(name));
        if (pngSave(vscreen, name))
            std::printf("screenshot saved to %s\n", name);
        else
            std::printf("could not save the screenshot to %s\n", name);
    }

    void takeKeys() {
        if (keys_.pressed(key::kF12)) saveScreenshot();
        if (keys_.pressed(key::kLeft)) changeScene(-1);
        if (keys_.pressed(key::kRight)) changeScene(1);
        if (allScenes()[scene_].draw == drawKeyboard) return;  // there, these keys type
        if (keys_.pressed(key::kF)) {
            gfxFullScreen ? SwitchWindowed() : SwitchFullScreen();
            showCaption();
        }
        if (keys_.pressed(key::kDigit1)) restartInMode(kImageViewMode);
        if (keys_.pressed(key::kDigit3)) restartInMode(kOpenGLMode);
        if (keys_.pressed(key::kDigit0)) restartInMode(kTextureMode);
    }

    const LoadedImages &images_;
    KeyEdges keys_;
    size_t scene_ = 0;
    uint32_t frame_ = 0;
    unsigned screenshots_ = 0;
};

}  // namespace

void runWindowed(const LoadedImages &images) { WindowedDemo(images).run(); }

}  // namespace demo
