#include "platform_fake.h"

#include <cstdio>

namespace zorblit {
namespace {

FakePlatform *current = nullptr;

std::string format(const char *pattern, double a = 0, double b = 0, double c = 0, double d = 0) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b, c, d);
    return text;
}

void record(const std::string &call) {
    if (current) current->calls.push_back(call);
}

// OpenGL entry points that only record what they were asked.
const GLApi kRecordingGL = [] {
    GLApi gl;
    gl.ClearColor = [](float r, float g, float b, float a) { record(format("gl ClearColor %g %g %g %g", r, g, b, a)); };
    gl.Clear = [](uint32_t mask) { record(format("gl Clear %g", mask)); };
    gl.MatrixMode = [](uint32_t m) { record(format("gl MatrixMode %g", m)); };
    gl.LoadIdentity = [] { record("gl LoadIdentity"); };
    gl.Viewport = [](int32_t x, int32_t y, int32_t w, int32_t h) { record(format("gl Viewport %g %g %g %g", x, y, w, h)); };
    gl.Ortho = [](double l, double r, double b, double t, double n, double f) {
        record(format("gl Ortho %g %g %g %g", l, r, b, t) + format(" %g %g", n, f));
    };
    gl.RasterPos2i = [](int32_t x, int32_t y) { record(format("gl RasterPos %g %g", x, y)); };
    gl.PixelZoom = [](float x, float y) { record(format("gl PixelZoom %g %g", x, y)); };
    gl.DrawPixels = [](int32_t w, int32_t h, uint32_t format_, uint32_t type, const void *) {
        record(format("gl DrawPixels %g %g %g %g", w, h, format_, type));
    };
    return gl;
}();

}  // namespace

FakePlatform::FakePlatform() : previous_(setPlatform(this)) { current = this; }

FakePlatform::~FakePlatform() {
    setPlatform(previous_);
    current = nullptr;
}

int FakePlatform::count(const std::string &prefix) const {
    int n = 0;
    for (const std::string &call : calls) n += call.rfind(prefix, 0) == 0;
    return n;
}

bool FakePlatform::startApplication() {
    calls.push_back("startApplication");
    return true;
}

void FakePlatform::activateApplication() { calls.push_back("activateApplication"); }

int32_t FakePlatform::measureTitleBarHeight() {
    calls.push_back("measureTitleBarHeight");
    return titleBarHeight;
}

bool FakePlatform::createWindow(const WindowRequest &request) {
    calls.push_back(format("createWindow %gx%g", request.width, request.height) + (request.fullScreen ? " full" : "") +
                    (request.openGL ? " gl" : ""));
    if (failWindow) return false;
    lastRequest = request;
    caption = request.caption;
    windowExists = true;
    frame = {request.fullScreen ? 0.0 : 100.0, request.fullScreen ? 0.0 : 50.0, double(request.width), double(request.height)};
    return true;
}

void FakePlatform::showWindow() {
    calls.push_back("showWindow");
    windowVisible = windowExists;
}

void FakePlatform::makeKeyWindow() { calls.push_back("makeKeyWindow"); }
void FakePlatform::centerWindow() { calls.push_back("centerWindow"); }

void FakePlatform::closeWindow() {
    calls.push_back("closeWindow");
    windowVisible = false;
}

void FakePlatform::releaseWindow() {
    calls.push_back("releaseWindow");
    windowExists = windowVisible = false;
}

void FakePlatform::setCaption(const char *text) {
    calls.push_back("setCaption");
    caption = text ? text : "";
}

void FakePlatform::minimizeWindow() { calls.push_back("minimizeWindow"); }
void FakePlatform::restoreWindow() { calls.push_back("restoreWindow"); }

void FakePlatform::setWindowFrame(const PlatformRect &rect) {
    calls.push_back(format("setWindowFrame %g %g %g %g", rect.x, rect.y, rect.width, rect.height));
    frame = rect;
}

void FakePlatform::setWindowTopLeft(double x, double y) {
    calls.push_back(format("setWindowTopLeft %g %g", x, y));
    frame.x = x;
    frame.y = y;
}

void FakePlatform::installImageView(uint32_t *pixels, uint32_t width, uint32_t height, uint32_t drawWidth,
                                    uint32_t drawHeight) {
    calls.push_back(format("installImageView %gx%g -> %gx%g", width, height, drawWidth, drawHeight));
    imagePixels = pixels;
    imageDrawWidth = drawWidth;
    imageDrawHeight = drawHeight;
}

void FakePlatform::displayIfNeeded() {
    if (!needsDisplay) return;
    needsDisplay = false;
    ++imageRedraws;
}

void FakePlatform::releaseImageView() {
    calls.push_back("releaseImageView");
    imagePixels = nullptr;
}

bool FakePlatform::installGLView() {
    calls.push_back("installGLView");
    return !failGLView;
}

const GLApi &FakePlatform::gl() { return kRecordingGL; }
void FakePlatform::makeGLCurrent() { calls.push_back("makeGLCurrent"); }

void FakePlatform::swapGLBuffers() {
    calls.push_back("swapGLBuffers");
    ++swaps;
}

void FakePlatform::releaseGLView() { calls.push_back("releaseGLView"); }

TextureViewStatus FakePlatform::installTextureView(uint32_t width, uint32_t height) {
    calls.push_back(format("installTextureView %gx%g", width, height));
    return textureStatus;
}

void FakePlatform::drawTextureView(const uint32_t *, uint32_t, uint32_t) { ++textureRedraws; }
void FakePlatform::releaseTextureView() { calls.push_back("releaseTextureView"); }

bool FakePlatform::nextEvent(PlatformEvent &event) {
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void FakePlatform::sendEvent(const PlatformEvent &event) {
    sentEvents.push_back(event);
    if (event.action == WindowAction::Expose) needsDisplay = true;
    if (defaultHandling(event)) windowVisible = false;
}

void FakePlatform::warpPointer(double x, double y) {
    calls.push_back(format("warpPointer %g %g", x, y));
    pointer = {x, y};
}

void FakePlatform::showCursor(bool visible) {
    calls.push_back(visible ? "showCursor" : "hideCursor");
    cursorVisible = visible;
}

void FakePlatform::setCapsLock(bool on) {
    calls.push_back(on ? "setCapsLock on" : "setCapsLock off");
    capsLock = on;
}

}  // namespace zorblit
