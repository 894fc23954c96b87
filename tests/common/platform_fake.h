// A scriptable platform for tests: records every window-system call in order,
// hands out injected events, and reports the window frame, desktop and pointer
// the test sets. Installs itself for its lifetime.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "display/platform.h"

namespace zorblit {

class FakePlatform : public Platform {
public:
    FakePlatform();
    ~FakePlatform() override;
    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    // Script.
    void queueEvent(const PlatformEvent &event) { events_.push_back(event); }
    void queueKey(EventKind kind, uint32_t code) { queueEvent({kind, code, 0, WindowAction::None}); }
    PlatformRect desktop{0, 0, 1280, 1024};
    PlatformRect usable{0, 0, 1280, 1000};
    double scale = 1;
    int32_t titleBarHeight = 0;
    PlatformPoint pointer;
    bool failWindow = false, failGLView = false;
    TextureViewStatus textureStatus{true, false, {}};

    // Observations.
    std::vector<std::string> calls;
    std::vector<PlatformEvent> sentEvents;
    bool windowExists = false, windowVisible = false;
    WindowRequest lastRequest;
    PlatformRect frame;
    uint32_t *imagePixels = nullptr;
    uint32_t imageDrawWidth = 0, imageDrawHeight = 0;
    bool needsDisplay = false;
    int imageRedraws = 0, textureRedraws = 0, swaps = 0;
    std::string caption;
    bool cursorVisible = true, capsLock = false;
    // Number of calls whose text starts with prefix.
    int count(const std::string &prefix) const;

    bool startApplication() override;
    void activateApplication() override;
    std::string errorText() override { return "fake failure"; }
    PlatformRect desktopFrame() override { return desktop; }
    PlatformRect usableArea() override { return usable; }
    double backingScale() override { return scale; }
    int32_t measureTitleBarHeight() override;
    bool createWindow(const WindowRequest &request) override;
    bool hasWindow() override { return windowExists; }
    void showWindow() override;
    void makeKeyWindow() override;
    void centerWindow() override;
    void closeWindow() override;
    void releaseWindow() override;
    void setCaption(const char *text) override;
    void minimizeWindow() override;
    void restoreWindow() override;
    PlatformRect windowFrame() override { return frame; }
    void setWindowFrame(const PlatformRect &rect) override;
    void setWindowTopLeft(double x, double y) override;
    PlatformPoint windowTopLeft() override { return {frame.x, frame.y}; }
    void installImageView(uint32_t *pixels, uint32_t width, uint32_t height, uint32_t drawWidth,
                          uint32_t drawHeight) override;
    void setNeedsDisplay() override { needsDisplay = true; }
    void displayIfNeeded() override;
    void releaseImageView() override;
    bool installGLView() override;
    const GLApi &gl() override;
    void makeGLCurrent() override;
    void swapGLBuffers() override;
    PlatformPoint glDrawableSize() override { return {frame.width * scale, frame.height * scale}; }
    void releaseGLView() override;
    TextureViewStatus installTextureView(uint32_t width, uint32_t height) override;
    void drawTextureView(const uint32_t *pixels, uint32_t width, uint32_t height) override;
    void releaseTextureView() override;
    bool nextEvent(PlatformEvent &event) override;
    void sendEvent(const PlatformEvent &event) override;
    PlatformPoint pointerPosition() override { return pointer; }
    void warpPointer(double x, double y) override;
    void showCursor(bool visible) override;
    bool capsLockOn() override { return capsLock; }
    void setCapsLock(bool on) override;

private:
    std::deque<PlatformEvent> events_;
    Platform *previous_;
};

}  // namespace zorblit
