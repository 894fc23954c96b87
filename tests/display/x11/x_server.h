// The test's own connection to the X server: reads what is on screen and
// injects input through XTEST, as a user would.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zorblit::test {

class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    bool connected() const { return display_ != nullptr; }
    // 0x00RRGGBB pixels of a rectangle of the screen, rows top to bottom.
    std::vector<uint32_t> read(int x, int y, int width, int height);
    void movePointer(int x, int y);
    void button(unsigned button, bool down);
    void key(const char *keysymName, bool down);
    // Asks the window with this title to close, as a window manager would.
    bool requestClose(const std::string &title);
    bool isMapped(const std::string &title);
    void sync();

private:
    Window find(Window from, const std::string &title);
    Display *display_ = nullptr;
};

// Calls step until done answers true, for at most two seconds.
bool pollUntil(const std::function<void()> &step, const std::function<bool()> &done);

}  // namespace zorblit::test
