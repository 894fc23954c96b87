#include "display/event_pump.h"

#include <cmath>

#include "display/content_views.h"
#include "display/display_state.h"
#include "display/key_table.h"
#include "zorblit.h"

namespace zorblit {
namespace {

void setKey(uint32_t code, uint8_t down) { keyboard[keyNumberForCode(code)] = down; }

void takeKey(const PlatformEvent &event, uint8_t down) {
    if (event.keyCode < 256 && allowKeyboardHit()) setKey(event.keyCode, down);
}

// Each press and each release of a modifier arrives as one event; Caps Lock
// shows for one poll only and is switched off again.
void takeFlagsChanged(DisplayState &s, uint32_t code) {
    if (code == keycode::kCapsLock) {
        if (s.capsSuppress) {
            s.capsSuppress = false;
            return;
        }
        SetCapsLock(false);
        if (allowKeyboardHit()) setKey(code, 1);
        s.capsReleasePending = true;
    } else if (code == keycode::kCapsRelease) {
        if (allowKeyboardHit()) setKey(keycode::kCapsLock, 0);
        s.capsSuppress = true;
    } else if (allowKeyboardHit()) {
        uint8_t &entry = keyboard[keyNumberForCode(code)];
        entry = entry == 0 ? 1 : 0;
    }
}

void takeEvent(DisplayState &s, const PlatformEvent &event) {
    switch (event.kind) {
    case EventKind::LeftMouseDown: mouseL = true; break;
    case EventKind::LeftMouseUp: mouseL = false; break;
    case EventKind::RightMouseDown: mouseR = true; break;
    case EventKind::RightMouseUp: mouseR = false; break;
    case EventKind::KeyDown: takeKey(event, 1); break;
    case EventKind::KeyUp: takeKey(event, 0); break;
    case EventKind::FlagsChanged: takeFlagsChanged(s, event.keyCode); break;
    case EventKind::ScrollWheel: mouseWheel = int32_t(std::nearbyint(event.wheelDeltaY)); break;
    case EventKind::Other: break;
    }
}

// The virtual-screen pixel under the pointer: one window pixel per virtual pixel
// along an axis whose content has the requested size, else scaled to the
// content. Outside the window the values lie outside the virtual screen.
void mapPointer(const DisplayState &s) {
    Platform &p = platform();
    const PlatformPoint pointer = p.pointerPosition();
    if (!p.hasWindow()) {
        mouseX = int32_t(std::floor(pointer.x));
        mouseY = int32_t(std::floor(pointer.y));
        return;
    }
    const PlatformRect frame = p.windowFrame();
    const auto map = [](double offset, double requested, double content) {
        if (content <= 0) return int32_t(std::floor(offset));
        return int32_t(std::floor(offset * requested / content));
    };
    mouseX = map(pointer.x - frame.x, s.requestedWidth, frame.width);
    mouseY = map(pointer.y - frame.y, s.requestedHeight, frame.height);
}

bool isKeyEvent(EventKind kind) { return kind == EventKind::KeyDown || kind == EventKind::KeyUp; }

}  // namespace

void pumpEvents() {
    DisplayState &s = displayState();
    Platform &p = platform();
    mouseWheel = 0;
    if (s.capsReleasePending) {
        s.capsReleasePending = false;
        setKey(keycode::kCapsLock, 0);
    }
    PlatformEvent event;
    while (p.nextEvent(event)) {
        takeEvent(s, event);
        mapPointer(s);
        // Key events stay with the library, so no key works as a window-system shortcut.
        if (!isKeyEvent(event.kind)) p.sendEvent(event);
    }
    redrawViews();
}

}  // namespace zorblit
