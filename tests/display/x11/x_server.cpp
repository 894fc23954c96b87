#include "x_server.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace zorblit::test {

XServer::XServer() : display_(XOpenDisplay(nullptr)) {}

XServer::~XServer() {
    if (display_) XCloseDisplay(display_);
}

std::vector<uint32_t> XServer::read(int x, int y, int width, int height) {
    std::vector<uint32_t> pixels;
    XImage *image = XGetImage(display_, DefaultRootWindow(display_), x, y, unsigned(width), unsigned(height),
                              AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(size_t(width) * height);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            pixels.push_back(uint32_t(XGetPixel(image, column, row)) & 0xFFFFFF);
    XDestroyImage(image);
    return pixels;
}

void XServer::movePointer(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    sync();
}

void XServer::button(unsigned button, bool down) {
    XTestFakeButtonEvent(display_, button, down, CurrentTime);
    sync();
}

void XServer::key(const char *keysymName, bool down) {
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysymName));
    XTestFakeKeyEvent(display_, code, down, CurrentTime);
    sync();
}

Window XServer::find(Window from, const std::string &title) {
    char *name = nullptr;
    if (XFetchName(display_, from, &name) && name) {
        const bool match = title == name;
        XFree(name);
        if (match) return from;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display_, from, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i) found = find(children[i], title);
        if (children) XFree(children);
    }
    return found;
}

bool XServer::requestClose(const std::string &title) {
    const Window window = find(DefaultRootWindow(display_), title);
    if (!window) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    sync();
    return true;
}

bool XServer::isMapped(const std::string &title) {
    const Window window = find(DefaultRootWindow(display_), title);
    XWindowAttributes attributes{};
    return window && XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable;
}

void XServer::sync() { XSync(display_, False); }

bool pollUntil(const std::function<void()> &step, const std::function<bool()> &done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
        step();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

}  // namespace zorblit::test
