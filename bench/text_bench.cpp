// Text at 1024x768: 10,000 ten-character labels per iteration, beside 10,000
// putSpriteClip calls of a sprite of the same area holding the same label (key 0
// around the letters), at the same positions, some reaching past the edges.
#include <vector>

#include "bench_util.h"

namespace zorblit::bench {
namespace {

constexpr uint32_t W = 1024, H = 768;
constexpr uint32_t kInk = 0xFFF0E0A0;
constexpr const char *kLabel = "Score 1234";
constexpr int kLabels = 10000;

std::vector<int32_t> labelPositions() {
    std::vector<int32_t> xy;
    uint32_t state = 777;
    for (int i = 0; i < kLabels; ++i) {
        state = state * 1664525u + 1013904223u;
        xy.push_back(int32_t((state >> 8) % (W + 80)) - 40);
        state = state * 1664525u + 1013904223u;
        xy.push_back(int32_t((state >> 8) % (H + 16)) - 8);
    }
    return xy;
}

void textSprite(benchmark::State &state, uint32_t fontHeight) {
    gfxFontHeight = fontHeight;
    uint32_t width, height;
    GetTextSize(kLabel, &width, &height);
    GFXimage sprite{};
    AllocImage(&sprite, width, height);
    DrawText(sprite, 0, 0, kLabel, kInk);
    BenchImage dest(W, H);
    const std::vector<int32_t> xy = labelPositions();
    for (auto _ : state) {
        for (size_t i = 0; i < xy.size(); i += 2) putSpriteClip(dest, xy[i], xy[i + 1], sprite, 0);
        benchmark::ClobberMemory();
    }
    FreeImage(&sprite);
}

void textZorblit(benchmark::State &state, uint32_t fontHeight) {
    gfxFontHeight = fontHeight;
    BenchImage dest(W, H);
    const std::vector<int32_t> xy = labelPositions();
    for (auto _ : state) {
        for (size_t i = 0; i < xy.size(); i += 2) DrawTextClip(dest, xy[i], xy[i + 1], kLabel, kInk);
        benchmark::ClobberMemory();
    }
    gfxFontHeight = 16;
}

BENCHMARK_CAPTURE(textSprite, 16, 16)->Name("DrawTextClip/10000x10chars/8x16/putSpriteClip");
BENCHMARK_CAPTURE(textZorblit, 16, 16)->Name("DrawTextClip/10000x10chars/8x16/zorblit");
BENCHMARK_CAPTURE(textSprite, 8, 8)->Name("DrawTextClip/10000x10chars/8x8/putSpriteClip");
BENCHMARK_CAPTURE(textZorblit, 8, 8)->Name("DrawTextClip/10000x10chars/8x8/zorblit");

}  // namespace
}  // namespace zorblit::bench
