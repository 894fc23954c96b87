#include "timing/frame_pacing.h"

#include <cstdint>

#include "timing/clock.h"
#include "zorblit.h"

uint32_t gfxFrameRate = 0;

namespace zorblit {
namespace {

struct Schedule {
    uint32_t rate = 0;    // 0: no schedule
    uint64_t start = 0;   // milliseconds
    uint64_t frames = 0;  // deadlines passed since start, below rate
};

Schedule schedule;

// The deadline of frame n of the schedule, rounded down to whole milliseconds.
uint64_t deadline(uint64_t n) { return schedule.start + n * 1000 / schedule.rate; }

}  // namespace

void paceFrame() {
    const uint32_t rate = gfxFrameRate;
    const uint64_t now = nowMilliseconds();
    if (rate != schedule.rate) {
        schedule = {rate, now, 0};
        return;
    }
    if (rate == 0) return;
    const uint64_t next = deadline(schedule.frames + 1);
    if (now < next) {
        sleepMilliseconds(next - now);
    } else if (now >= deadline(schedule.frames + 2)) {
        schedule = {rate, now, 0};
        return;
    }
    // rate frames take exactly a second: move the start on to keep the numbers small.
    if (++schedule.frames == rate) {
        schedule.start += 1000;
        schedule.frames = 0;
    }
}

}  // namespace zorblit
