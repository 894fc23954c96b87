// Frames per second of UpdateGFXsystem with a 640 x 480 virtual screen in the
// image-view, OpenGL and texture modes (needs an X display; scripts/bench.sh
// starts Xvfb). The "fps" counter is the host's frame rate.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "zorblit.h"

namespace {

void presentFrames(benchmark::State &state, int32_t mode) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("needs an X display");
        return;
    }
    gfxDeviceMode = mode;
    InitGFXsystem(640, 480, false);
    uint32_t frame = 0;
    for (auto _ : state) {
        // A changing frame, so nothing can be skipped as unchanged.
        vscreen.data[frame % (640 * 480)] = frame;
        ++frame;
        UpdateGFXsystem();
    }
    FinishGFXsystem();
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ImageView(benchmark::State &state) { presentFrames(state, 1); }
void BM_OpenGLPixels(benchmark::State &state) { presentFrames(state, 3); }
void BM_TextureView(benchmark::State &state) { presentFrames(state, 10); }

}  // namespace

BENCHMARK(BM_ImageView)->Name("UpdateGFXsystem640x480_mode1/zorblit");
BENCHMARK(BM_OpenGLPixels)->Name("UpdateGFXsystem640x480_mode3/zorblit");
BENCHMARK(BM_TextureView)->Name("UpdateGFXsystem640x480_mode10/zorblit");
