// How the event pump writes the input globals during one poll. A key or button
// that goes down and comes up again within one poll reads as down until the
// next poll, so a quick press is never lost; the wheel adds up over the poll.
#pragma once
#include <cstdint>

namespace zorblit {

enum class Button : uint8_t { Left, Right };

// Releases what the previous poll held down only for its quick presses and
// zeroes the wheel. Called before the poll's first event.
void beginInputPoll();
// Sets or clears a keyboard entry. Going from up to down is a press: it also
// lets doReadKey report the key again.
void setKeyEntry(uint8_t key, bool down);
// The same for mouseL and mouseR; a press lets the button click again.
void setButton(Button button, bool down);
// Adds one wheel event's vertical delta; mouseWheel holds the poll's sum
// rounded to the nearest integer, ties to even.
void addWheelMovement(double delta);
// Keeps every entry and button pressed during the poll down until the next one.
void endInputPoll();

}  // namespace zorblit
