#include "display/event_pump.h"

#include "display/content_views.h"
#include "display/display_state.h"
#include "display/key_table.h"
#include "display/pointer_mapping.h"
#include "input/input_poll.h"
#include "zorblit.h"

namespace zorblit {
namespace {

void setKey(uint32_t code, bool down) { setKeyEntry(keyNumberForCode(code), down); }

void takeKey(const PlatformEvent &event, bool down) {
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
        if (allowKeyboardHit()) setKey(code, true);
        s.capsReleasePending = true;
    } else if (code == keycode::kCapsRelease) {
        if (allowKeyboardHit()) setKey(keycode::kCapsLock, false);
        s.capsSuppress = true;
    } else if (allowKeyboardHit()) {
        const uint8_t key = keyNumberForCode(code);
        setKeyEntry(key, keyboard[key] == 0);
    }
}

void takeEvent(DisplayState &s, const PlatformEvent &event) {
    switch (event.kind) {
    case EventKind::LeftMouseDown: setButton(Button::Left, true); break;
    case EventKind::LeftMouseUp: setButton(Button::Left, false); break;
    case EventKind::RightMouseDown: setButton(Button::Right, true); break;
    case EventKind::RightMouseUp: setButton(Button::Right, false); break;
    case EventKind::KeyDown: takeKey(event, true); break;
    case EventKind::KeyUp: takeKey(event, false); break;
    case EventKind::FlagsChanged: takeFlagsChanged(s, event.keyCode); break;
    case EventKind::ScrollWheel: addWheelMovement(event.wheelDeltaY); break;
    case EventKind::Other: break;
    }
}

bool isKeyEvent(EventKind kind) { return kind == EventKind::KeyDown || kind == EventKind::KeyUp; }

}  // namespace

void pumpEvents() {
    DisplayState &s = displayState();
    Platform &p = platform();
    beginInputPoll();
    if (s.capsReleasePending) {
        s.capsReleasePending = false;
        setKey(keycode::kCapsLock, false);
    }
    PlatformEvent event;
    while (p.nextEvent(event)) {
        takeEvent(s, event);
        const PixelPoint pointer = pixelUnderPoint(p.pointerPosition());
        mouseX = pointer.x;
        mouseY = pointer.y;
        // Key events stay with the library, so no key works as a window-system shortcut.
        if (!isKeyEvent(event.kind)) p.sendEvent(event);
    }
    endInputPoll();
    redrawViews();
}

}  // namespace zorblit
