// The frame counter behind gfxFPS.
#pragma once
#include <cstdint>

namespace zorblit {

struct FrameTimer {
    uint32_t frames = 0;
    uint64_t windowStart = 0;
    uint64_t lastTick = 0;
    uint64_t elapsed = 0;
};

FrameTimer &frameTimer();

// Counts one frame without reading the clock (initialisation counts as a frame).
void countFrame();

}  // namespace zorblit
