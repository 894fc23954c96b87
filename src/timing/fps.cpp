#include "timing/fps.h"

#include <cstdio>

#include "support/numeric.h"
#include "timing/clock.h"
#include "zorblit.h"

float gfxFPS = 0.0f;

namespace zorblit {

// A measuring window lasts at least this long.
constexpr uint64_t kWindowMilliseconds = 500;

FrameTimer &frameTimer() {
    static FrameTimer timer;
    return timer;
}

void countFrame() { ++frameTimer().frames; }

}  // namespace zorblit

using namespace zorblit;

void StartFPScounter(void) {
    FrameTimer &t = frameTimer();
    t.frames = 0;
    t.windowStart = nowMilliseconds();
}

void updateTimer(void) {
    FrameTimer &t = frameTimer();
    ++t.frames;
    t.lastTick = nowMilliseconds();
    t.elapsed = t.lastTick - t.windowStart;
    if (t.elapsed < kWindowMilliseconds) return;
    gfxFPS = (float(t.frames) * 1000.0f) / float(t.elapsed);
    t.frames = 0;
    t.windowStart = t.lastTick;
}

void ReturnFPSstring(void) {
    if (!(gfxFPS > 0)) return;
    std::printf("ya get %s FPS!\n", floatToText(gfxFPS).c_str());
    std::fflush(stdout);
}
