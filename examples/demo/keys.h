// The library's key numbers the demo reacts to, and press detection.
#pragma once

#include <array>
#include <cstdint>

#include <zorblit.h>

namespace demo {

namespace key {
constexpr int kF = ZORBLIT_KEY_F;
constexpr int kDigit1 = ZORBLIT_KEY_1;
constexpr int kDigit3 = ZORBLIT_KEY_3;
constexpr int kDigit0 = ZORBLIT_KEY_0;
constexpr int kTab = ZORBLIT_KEY_TAB;
constexpr int kBackspace = ZORBLIT_KEY_BACKSPACE;
constexpr int kEscape = ZORBLIT_KEY_ESCAPE;
constexpr int kF12 = ZORBLIT_KEY_F12;
constexpr int kLeft = ZORBLIT_KEY_LEFT;
constexpr int kRight = ZORBLIT_KEY_RIGHT;
}  // namespace key

// Tells which keys went down since the previous update.
class KeyEdges {
public:
    void update() {
        previous_ = current_;
        for (size_t k = 0; k < current_.size(); ++k) current_[k] = keyboard[k] != 0;
    }
    bool pressed(int k) const { return current_[size_t(k)] && !previous_[size_t(k)]; }

private:
    std::array<bool, 256> current_{}, previous_{};
};

}  // namespace demo
