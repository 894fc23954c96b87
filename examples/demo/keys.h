// The library's key numbers the demo reacts to, and press detection.
#pragma once

#include <array>
#include <cstdint>

#include <zorblit.h>

namespace demo {

namespace key {
constexpr int kF = 4;
constexpr int kDigit1 = 27;
constexpr int kDigit3 = 29;
constexpr int kDigit0 = 36;
constexpr int kTab = 50;
constexpr int kBackspace = 52;
constexpr int kEscape = 53;
constexpr int kF12 = 48;
constexpr int kLeft = 89;
constexpr int kRight = 90;
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
