#include "display/output_window.h"

#include <cmath>
#include <string>

#include "display/content_views.h"
#include "display/display_state.h"
#include "zorblit.h"

namespace zorblit {
namespace {

// OpenGL windows lose a title bar's height when windowed; windows of modes
// without a content view get the requested size.
void setContentRect(DisplayState &s, bool fullScreen) {
    const int32_t titleBar = isOpenGLMode() && !fullScreen ? s.titleBarHeight : 0;
    s.contentRect = {0, 0, double(s.windowWidth), double(s.windowHeight) - titleBar};
}

void activateWindow(bool fullScreen) {
    Platform &p = platform();
    p.activateApplication();
    p.showWindow();
    p.makeKeyWindow();
    if (!fullScreen) p.centerWindow();
}

}  // namespace

void setUpApplication() {
    DisplayState &s = displayState();
    if (!s.appInitialised) {
        s.appInitialised = true;
        Platform &p = platform();
        if (!p.startApplication()) FatalError(("Cannot reach the window system: " + p.errorText()).c_str());
        p.activateApplication();
    }
    s.quitTarget = true;
}

void createOutputWindow(uint32_t width, uint32_t height, const char *caption, bool fullScreen) {
    DisplayState &s = displayState();
    Platform &p = platform();
    s.titleBarHeight = fullScreen ? 0 : p.measureTitleBarHeight();
    s.windowWidth = s.requestedWidth = width;
    s.windowHeight = s.requestedHeight = height;
    if (fullScreen) {
        const PlatformRect desktop = p.desktopFrame();
        s.windowWidth = uint32_t(std::nearbyint(desktop.width));
        s.windowHeight = uint32_t(std::nearbyint(desktop.height));
    }
    setContentRect(s, fullScreen);

    WindowRequest request;
    request.width = uint32_t(s.contentRect.width);
    request.height = uint32_t(s.contentRect.height);
    request.caption = caption ? caption : "";
    request.fullScreen = fullScreen;
    request.openGL = isOpenGLMode();
    if (!p.createWindow(request)) {
        if (request.openGL) FatalError("No compatible NSOpenGLPixelFormat found");
        FatalError(("Cannot open the output window: " + p.errorText()).c_str());
    }
    installContentView();
    activateWindow(fullScreen);
}

}  // namespace zorblit
