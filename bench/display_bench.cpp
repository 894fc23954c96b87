// Frames per second of UpdateGFXsystem with a 640 x 480 virtual screen in the
// image-view, OpenGL and texture modes (needs an X display; scripts/bench.sh
// starts Xvfb). The "fps" counter is the host's frame rate.
#include <benchmark/benchmark.h>

#include <chrono>
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
    // Most of the work happens in the X server, so frames count against wall time.
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        // A changing frame, so nothing can be skipped as unchanged.
        vscreen.data[frame % (640 * 480)] = frame;
        ++frame;
        UpdateGFXsystem();
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    FinishGFXsystem();
    state.counters["fps"] = double(state.iterations()) / seconds.count();
}

void BM_ImageView(benchmark::State &state) { presentFrames(state, 1); }
void BM_OpenGLPixels(benchmark::State &state) { presentFrames(state, 3); }
void BM_TextureView(benchmark::State &state) { presentFrames(state, 10); }

}  // namespace

BENCHMARK(BM_ImageView)->Name("UpdateGFXsystem640x480_mode1/zorblit");
BENCHMARK(BM_OpenGLPixels)->Name("UpdateGFXsystem640x480_mode3/zorblit");
BENCHMARK(BM_TextureView)->Name("UpdateGFXsystem640x480_mode10/zorblit");
