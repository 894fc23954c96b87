#include "input/input_poll.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <limits>

#include "input/report_latches.h"
#include "zorblit.h"

namespace zorblit {
namespace {

// Pressed during the current poll; held down only for the poll just ended.
std::bitset<256> keysPressed, keysHeldForPoll;
bool buttonsPressed[2] = {}, buttonsHeldForPoll[2] = {};
double wheelSum = 0;

bool &buttonState(Button button) { return button == Button::Left ? mouseL : mouseR; }

}  // namespace

void beginInputPoll() {
    for (size_t key = 0; key < keysHeldForPoll.size(); ++key)
        if (keysHeldForPoll[key]) keyboard[key] = 0;
    keysHeldForPoll.reset();
    keysPressed.reset();
    for (const Button button : {Button::Left, Button::Right}) {
        const size_t i = size_t(button);
        if (buttonsHeldForPoll[i]) buttonState(button) = false;
        buttonsHeldForPoll[i] = buttonsPressed[i] = false;
    }
    wheelSum = 0;
    mouseWheel = 0;
}

void setKeyEntry(uint8_t key, bool down) {
    if (down && !keyboard[key]) {
        keysPressed[key] = true;
        rearmKeyReport(key);
    }
    keyboard[key] = down;
}

void setButton(Button button, bool down) {
    bool &state = buttonState(button);
    if (down && !state) {
        buttonsPressed[size_t(button)] = true;
        rearmClick(button == Button::Left);
    }
    state = down;
}

void addWheelMovement(double delta) {
    wheelSum += delta;
    constexpr double low = std::numeric_limits<int32_t>::min(), high = std::numeric_limits<int32_t>::max();
    const double rounded = std::nearbyint(wheelSum);
    // A sum that is not a number reads as no movement; huge ones are held at the ends.
    mouseWheel = std::isnan(rounded) ? 0 : int32_t(std::clamp(rounded, low, high));
}

void endInputPoll() {
    for (size_t key = 0; key < keysPressed.size(); ++key) {
        if (keysPressed[key] && !keyboard[key]) {
            keyboard[key] = 1;
            keysHeldForPoll[key] = true;
        }
    }
    for (const Button button : {Button::Left, Button::Right}) {
        const size_t i = size_t(button);
        if (buttonsPressed[i] && !buttonState(button)) {
            buttonState(button) = true;
            buttonsHeldForPoll[i] = true;
        }
    }
}

}  // namespace zorblit
