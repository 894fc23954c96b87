// The window-system operations the library needs, behind one narrow interface.
// The real implementation sits on SDL2 (platform_sdl.cpp); a scriptable fake in
// the test tree (tests/common/platform_fake.h) lets tests drive the display and
// input logic without a display. Nothing outside src/display talks to SDL.
//
// Coordinates are the desktop's: pixels, origin at the top-left corner of the
// primary screen, y growing downwards.
#pragma once
#include <cstdint>
#include <string>

#include "display/gl_api.h"

namespace zorblit {

struct PlatformRect {
    double x = 0, y = 0, width = 0, height = 0;
};

struct PlatformPoint {
    double x = 0, y = 0;
};

// The event kinds the event pump tells apart. Key codes are those of the pump's
// translation table (key_table.h); the platform maps its own key codes to them.
enum class EventKind : uint8_t {
    LeftMouseDown,
    LeftMouseUp,
    RightMouseDown,
    RightMouseUp,
    KeyDown,
    KeyUp,
    FlagsChanged,  // a modifier key went down or up, or Caps Lock was pressed
    ScrollWheel,
    Other,  // motion, other buttons, window events: changes no input global
};

// What the default handling of a handed-back event does to the window.
enum class WindowAction : uint8_t {
    None,
    CloseRequest,    // the window's close button
    Quit,            // the application is asked to quit (window manager, signal)
    Expose,          // the window's content must be drawn again
    ScreenChanged,   // the screen configuration changed
};

struct PlatformEvent {
    EventKind kind = EventKind::Other;
    uint32_t keyCode = 0;     // key and flags-changed events
    double wheelDeltaY = 0;   // scroll wheel: positive away from the user
    WindowAction action = WindowAction::None;
};

struct WindowRequest {
    uint32_t width = 0, height = 0;  // content size
    std::string caption;
    bool fullScreen = false;         // borderless, covering the desktop
    bool openGL = false;             // the window will hold an OpenGL view
};

struct TextureViewStatus {
    bool ready = false;
    bool noAcceleratedRenderer = false;  // else `error` describes the failure
    std::string error;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Application: connects to the window system (once per process) and brings
    // the process to the front. False with errorText() when there is no display.
    virtual bool startApplication() = 0;
    virtual void activateApplication() = 0;
    virtual std::string errorText() = 0;

    // Screens.
    virtual PlatformRect desktopFrame() = 0;  // the primary screen
    virtual PlatformRect usableArea() = 0;    // the primary screen without panels
    virtual double backingScale() = 0;        // drawable pixels per window pixel
    // Height of a title bar of a decorated window; 0 when it cannot be measured.
    virtual int32_t measureTitleBarHeight() = 0;

    // The output window. Only one exists at a time. An OpenGL window takes the
    // first pixel format the system offers of (depth 24, stencil 8), (24, 0),
    // (16, 0), (0, 0); false when none (or no window) can be made.
    virtual bool createWindow(const WindowRequest &request) = 0;
    virtual bool hasWindow() = 0;
    virtual void showWindow() = 0;      // maps it and puts it in front
    virtual void makeKeyWindow() = 0;   // gives it the keyboard focus
    virtual void centerWindow() = 0;
    virtual void closeWindow() = 0;     // hides it; the window still exists
    virtual void releaseWindow() = 0;   // destroys it and its views
    virtual void setCaption(const char *caption) = 0;
    virtual void minimizeWindow() = 0;
    virtual void restoreWindow() = 0;
    // The window's content area on the desktop.
    virtual PlatformRect windowFrame() = 0;
    virtual void setWindowFrame(const PlatformRect &frame) = 0;
    virtual void setWindowTopLeft(double x, double y) = 0;
    // The corner setWindowTopLeft places: the frame's top-left, borders included.
    virtual PlatformPoint windowTopLeft() = 0;

    // Image view: shows `pixels` (0xAARRGGBB, alpha ignored, rows top to bottom)
    // scaled to drawWidth x drawHeight window pixels, reading the memory itself
    // at each redraw. Redraws happen in displayIfNeeded, after a mark or expose.
    virtual void installImageView(uint32_t *pixels, uint32_t width, uint32_t height,
                                  uint32_t drawWidth, uint32_t drawHeight) = 0;
    virtual void setNeedsDisplay() = 0;
    virtual void displayIfNeeded() = 0;
    virtual void releaseImageView() = 0;

    // OpenGL view: a context in the window with swap interval 1, current after
    // installing, and its entry points loaded. False when the context or an
    // entry point cannot be had.
    virtual bool installGLView() = 0;
    virtual const GLApi &gl() = 0;
    virtual void makeGLCurrent() = 0;
    virtual void swapGLBuffers() = 0;
    virtual PlatformPoint glDrawableSize() = 0;
    virtual void releaseGLView() = 0;

    // GPU texture view: a streaming texture of width x height shown over the
    // whole window with nearest-neighbour scaling, first row at the top.
    virtual TextureViewStatus installTextureView(uint32_t width, uint32_t height) = 0;
    virtual void drawTextureView(const uint32_t *pixels, uint32_t width, uint32_t height) = 0;
    virtual void releaseTextureView() = 0;

    // Events: never blocks; false when none is pending. Handing an event back
    // gives it the window system's default handling (WindowAction).
    virtual bool nextEvent(PlatformEvent &event) = 0;
    virtual void sendEvent(const PlatformEvent &event) = 0;

    // Pointer and keyboard.
    virtual PlatformPoint pointerPosition() = 0;  // desktop coordinates
    virtual void warpPointer(double x, double y) = 0;  // desktop coordinates
    virtual void showCursor(bool visible) = 0;
    virtual bool capsLockOn() = 0;
    virtual void setCapsLock(bool on) = 0;

protected:
    // The default handling shared by every platform: calls the window callbacks.
    // Returns true when the window is to close.
    static bool defaultHandling(const PlatformEvent &event);
};

// The platform in use: the SDL2 one unless a test installed another.
Platform &platform();
// Installs a platform (nullptr: the SDL2 one again); returns the previous one.
Platform *setPlatform(Platform *replacement);

// The display layer's answers to window-system requests.
bool windowShouldClose();           // close button: may the window close?
void handleQuitRequest();           // the application is asked to quit
void screenParametersChanged();     // the screen configuration changed

}  // namespace zorblit
