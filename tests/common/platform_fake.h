// A scriptable platform for tests: hands out injected events, reports the
// window frame, desktop and pointer the test sets, and keeps the state the
// library left it in. Installs itself for its lifetime.
#pragma once
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "display/platform.h"

namespace zorblit {

class FakePlatform : public Platform {
public:
    FakePlatform() : previous_(setPlatform(this)) {}
    ~FakePlatform() override { setPlatform(previous_); }
    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    // Script.
    void queueEvent(const PlatformEvent &event) { events_.push_back(event); }
    PlatformRect desktop{0, 0, 1280, 1024}, usable{0, 0, 1280, 1000};
    int32_t titleBarHeight = 0;
    PlatformPoint pointer;
    bool failWindow = false;
    TextureViewStatus textureStatus{true, false, {}};

    // Observations.
    std::vector<PlatformEvent> sentEvents;
    WindowRequest lastRequest;
    PlatformRect frame;
    bool windowExists = false, needsDisplay = false, cursorVisible = true;
    int windowsCreated = 0, centred = 0, textureViews = 0, imageRedraws = 0, textureRedraws = 0, glFrames = 0,
        swaps = 0, glMadeCurrent = 0;

    // Calls that change nothing the tests look at.
    void activateApplication() override {}
    void makeKeyWindow() override {}
    void minimizeWindow() override {}
    void restoreWindow() override {}
    void releaseGLView() override {}
    void setCaption(const char *) override {}
    void showWindow() override {}
    void closeWindow() override {}
    void installImageView(uint32_t *, uint32_t, uint32_t, uint32_t, uint32_t) override {}
    void releaseImageView() override {}
    void setCapsLock(bool) override {}

    bool startApplication() override { return true; }
    std::string errorText() override { return "fake failure"; }
    PlatformRect desktopFrame() override { return desktop; }
    PlatformRect usableArea() override { return usable; }
    double backingScale() override { return 1; }
    int32_t measureTitleBarHeight() override { return titleBarHeight; }
    bool createWindow(const WindowRequest &request) override;
    bool hasWindow() override { return windowExists; }
    void centerWindow() override { ++centred; }
    void releaseWindow() override { windowExists = false; }
    PlatformRect windowFrame() override { return frame; }
    void setWindowFrame(const PlatformRect &rect) override { frame = rect; }
    void setWindowTopLeft(double x, double y) override { frame.x = x, frame.y = y; }
    PlatformPoint windowTopLeft() override { return {frame.x, frame.y}; }
    void setNeedsDisplay() override { needsDisplay = true; }
    void displayIfNeeded() override { imageRedraws += std::exchange(needsDisplay, false); }
    bool installGLView() override { return true; }
    const GLApi &gl() override;
    void makeGLCurrent() override { ++glMadeCurrent; }
    void swapGLBuffers() override { ++swaps; }
    PlatformPoint glDrawableSize() override { return {frame.width, frame.height}; }
    TextureViewStatus installTextureView(uint32_t, uint32_t) override { return ++textureViews, textureStatus; }
    void drawTextureView(const uint32_t *, uint32_t, uint32_t) override { ++textureRedraws; }
    void releaseTextureView() override { --textureViews; }
    bool nextEvent(PlatformEvent &event) override {
        return !events_.empty() && (event = events_.front(), events_.pop_front(), true);
    }
    void sendEvent(const PlatformEvent &event) override;
    PlatformPoint pointerPosition() override { return pointer; }
    void warpPointer(double x, double y) override { pointer = {x, y}; }
    void showCursor(bool visible) override { cursorVisible = visible; }
    bool capsLockOn() override { return false; }

private:
    std::deque<PlatformEvent> events_;
    Platform *previous_;
};

}  // namespace zorblit
