// Drawing primitives at 1024x768: bars beside memset; random clipped lines, filled
// circles and filled triangles beside SDL2_gfx on a 32-bit software surface.
#include <SDL.h>

#include <vector>

#include "bench_util.h"
#include "core/form.h"
#include "draw/line.h"

#if __has_include(<SDL2_gfxPrimitives.h>)
#include <SDL2_gfxPrimitives.h>
#define ZORBLIT_BENCH_SDL2_GFX 1
#endif

namespace zorblit::bench {
namespace {

constexpr uint32_t W = 1024, H = 768;
constexpr uint32_t kColor = 0xFF3080C0;

// -- bars
void barMemset(benchmark::State &state) {
    BenchImage dest(W, H);
    for (auto _ : state) {
        std::memset(dest.image.data, 0x5A, dest.bytes());
        benchmark::ClobberMemory();
    }
    setBytes(state, dest.bytes());
}
void barZorblit(benchmark::State &state) {
    BenchImage dest(W, H);
    for (auto _ : state) {
        DrawBar(dest, 0, 0, W - 1, H - 1, kColor);
        benchmark::ClobberMemory();
    }
    setBytes(state, dest.bytes());
}
BENCHMARK(barMemset)->Name("DrawBar/1024x768/memset");
BENCHMARK(barZorblit)->Name("DrawBar/1024x768/zorblit");

// -- random shapes, the same for every implementation
struct Shapes {
    std::vector<int16_t> lines, circles, triangles;  // 4, 3 and 6 values per shape

    Shapes() {
        uint32_t state = 12345;
        auto next = [&](int lo, int hi) {
            state = state * 1664525u + 1013904223u;
            return int16_t(lo + int((state >> 8) % uint32_t(hi - lo + 1)));
        };
        // Lines may start and end up to 256 pixels off the image.
        for (int i = 0; i < 10000; ++i)
            for (int v : {next(-256, W + 255), next(-256, H + 255), next(-256, W + 255), next(-256, H + 255)})
                lines.push_back(int16_t(v));
        for (int i = 0; i < 1000; ++i)
            for (int v : {next(0, W - 1), next(0, H - 1), next(1, 64)}) circles.push_back(int16_t(v));
        // Triangles of up to 128 pixels a side around a point in the image.
        for (int i = 0; i < 1000; ++i) {
            const int x = next(0, W - 1), y = next(0, H - 1);
            for (int corner = 0; corner < 3; ++corner) {
                triangles.push_back(int16_t(x + next(-64, 64)));
                triangles.push_back(int16_t(y + next(-64, 64)));
            }
        }
    }
};
const Shapes &shapes() {
    static const Shapes instance;
    return instance;
}

void linesZorblit(benchmark::State &state) {
    BenchImage dest(W, H);
    setClipRectangle(0, 0, W, H);
    const auto &v = shapes().lines;
    for (auto _ : state) {
        for (size_t i = 0; i < v.size(); i += 4) DrawLineClip(dest, v[i], v[i + 1], v[i + 2], v[i + 3], kColor);
        benchmark::ClobberMemory();
    }
}
// The probe: the pixels the lines store, found once by tracing them, then
// stored in the same order with no walk. The lines can be no faster than this.
struct PixelRecorder {
    std::vector<uint32_t> *indices;
    void operator()(int64_t x, int64_t y) const { indices->push_back(uint32_t(y * W + x)); }
    void run(const draw::FloatWalk::Stretch &sx, const draw::FloatWalk::Stretch &sy, uint64_t count) const {
        for (uint64_t i = 0; i < count; ++i)
            (*this)(draw::roundToEven(sx.at(i)), draw::roundToEven(sy.at(i)));
    }
};
// The other probe: the walk alone, each stretch reduced to its last pixel and
// nothing stored. With the stores-only probe it splits a line's time.
struct WalkOnly {
    uint32_t *sink;
    void operator()(int64_t x, int64_t y) const { sink[0] += uint32_t(x + y); }
    void run(const draw::FloatWalk::Stretch &sx, const draw::FloatWalk::Stretch &sy, uint64_t count) const {
        sink[1] += uint32_t(draw::roundToEven(sx.at(count - 1)) + draw::roundToEven(sy.at(count - 1)));
    }
};
void linesStoresOnly(benchmark::State &state) {
    BenchImage dest(W, H);
    setClipRectangle(0, 0, W, H);
    std::vector<uint32_t> indices;
    const auto &v = shapes().lines;
    const Area window = draw::Clipped<BuiltForm>::pixelWindow(dest);
    for (size_t i = 0; i < v.size(); i += 4)
        draw::traceLine({v[i], v[i + 1]}, {v[i + 2], v[i + 3]}, window, PixelRecorder{&indices});
    for (auto _ : state) {
        for (const uint32_t index : indices) dest.image.data[index] = kColor;
        benchmark::ClobberMemory();
    }
}
void linesWalkOnly(benchmark::State &state) {
    BenchImage dest(W, H);
    setClipRectangle(0, 0, W, H);
    const auto &v = shapes().lines;
    const Area window = draw::Clipped<BuiltForm>::pixelWindow(dest);
    for (auto _ : state) {
        for (size_t i = 0; i < v.size(); i += 4)
            draw::traceLine({v[i], v[i + 1]}, {v[i + 2], v[i + 3]}, window, WalkOnly{dest.image.data});
        benchmark::ClobberMemory();
    }
}
void circlesZorblit(benchmark::State &state) {
    BenchImage dest(W, H);
    setClipRectangle(0, 0, W, H);
    const auto &v = shapes().circles;
    for (auto _ : state) {
        for (size_t i = 0; i < v.size(); i += 3) DrawFilledCircleClip(dest, v[i], v[i + 1], uint32_t(v[i + 2]), kColor);
        benchmark::ClobberMemory();
    }
}
void trianglesZorblit(benchmark::State &state) {
    BenchImage dest(W, H);
    setClipRectangle(0, 0, W, H);
    const auto &v = shapes().triangles;
    for (auto _ : state) {
        for (size_t i = 0; i < v.size(); i += 6)
            DrawFilledTriangleClip(dest, v[i], v[i + 1], v[i + 2], v[i + 3], v[i + 4], v[i + 5], kColor);
        benchmark::ClobberMemory();
    }
}

#ifdef ZORBLIT_BENCH_SDL2_GFX
// A software renderer drawing straight into an image's pixels. Renderers may queue
// their commands, so every round ends with a flush that makes them draw.
struct GfxTarget {
    BenchImage dest{W, H};
    SDL_Surface *surface = SDL_CreateRGBSurfaceWithFormatFrom(dest.image.data, int(W), int(H), 32, int(W * 4),
                                                              SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer *renderer = SDL_CreateSoftwareRenderer(surface);
    ~GfxTarget() {
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(surface);
    }
};

void linesGfx(benchmark::State &state) {
    GfxTarget target;
    const auto &v = shapes().lines;
    for (auto _ : state) {
        for (size_t i = 0; i < v.size(); i += 4) lineColor(target.renderer, v[i], v[i + 1], v[i + 2], v[i + 3], kColor);
        SDL_RenderFlush(target.renderer);
        benchmark::ClobberMemory();
    }
}
void circlesGfx(benchmark::State &state) {
    GfxTarget target;
    const auto &v = shapes().circles;
    for (auto _ : state) {
        for (size_t i = 0; i < v.size(); i += 3) filledCircleColor(target.renderer, v[i], v[i + 1], v[i + 2], kColor);
        SDL_RenderFlush(target.renderer);
        benchmark::ClobberMemory();
    }
}
void trianglesGfx(benchmark::State &state) {
    GfxTarget target;
    const auto &v = shapes().triangles;
    for (auto _ : state) {
        for (size_t i = 0; i < v.size(); i += 6)
            filledTrigonColor(target.renderer, v[i], v[i + 1], v[i + 2], v[i + 3], v[i + 4], v[i + 5], kColor);
        SDL_RenderFlush(target.renderer);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(linesGfx)->Name("DrawLineClip/10000_random/sdl2_gfx");
#endif
BENCHMARK(linesZorblit)->Name("DrawLineClip/10000_random/zorblit");
BENCHMARK(linesStoresOnly)->Name("DrawLineClip/10000_random/stores_only_probe");
BENCHMARK(linesWalkOnly)->Name("DrawLineClip/10000_random/walk_only_probe");
#ifdef ZORBLIT_BENCH_SDL2_GFX
BENCHMARK(circlesGfx)->Name("DrawFilledCircleClip/1000_r1-64/sdl2_gfx");
#endif
BENCHMARK(circlesZorblit)->Name("DrawFilledCircleClip/1000_r1-64/zorblit");
#ifdef ZORBLIT_BENCH_SDL2_GFX
BENCHMARK(trianglesGfx)->Name("DrawFilledTriangleClip/1000/sdl2_gfx");
#endif
BENCHMARK(trianglesZorblit)->Name("DrawFilledTriangleClip/1000/zorblit");

}  // namespace
}  // namespace zorblit::bench
