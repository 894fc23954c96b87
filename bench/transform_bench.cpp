// Scaling, rotation and roto-zoom beside SDL2, pixman, SDL2_gfx and memcpy.
#include <SDL.h>
#include <pixman.h>

#include "bench_util.h"
#include "kernels/level.h"
#if __has_include(<SDL2_rotozoom.h>)
#include <SDL2_rotozoom.h>
#define ZORBLIT_BENCH_HAS_SDL2_GFX 1
#endif

namespace zorblit::bench {
namespace {

SDL_Surface *surfaceOver(const GFXimage &image) {
    SDL_Surface *surface = SDL_CreateRGBSurfaceWithFormatFrom(image.data, int(image.width), int(image.height), 32,
                                                              int(image.width * 4), SDL_PIXELFORMAT_ARGB8888);
    SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_NONE);
    return surface;
}

pixman_image_t *pixmanOver(const GFXimage &image) {
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, int(image.width), int(image.height), image.data,
                                    int(image.width * 4));
}

// -- ScaleImage, nearest pixel, whole source into the whole destination
void scaleSdl(benchmark::State &state, uint32_t sw, uint32_t sh, uint32_t dw, uint32_t dh) {
    BenchImage source(sw, sh), dest(dw, dh);
    SDL_Surface *from = surfaceOver(source), *to = surfaceOver(dest);
    SDL_Rect whole{0, 0, int(dw), int(dh)};
    for (auto _ : state) SDL_BlitScaled(from, nullptr, to, &whole);
    SDL_FreeSurface(from);
    SDL_FreeSurface(to);
    setBytes(state, dest.bytes());
}
void scalePixman(benchmark::State &state, uint32_t sw, uint32_t sh, uint32_t dw, uint32_t dh) {
    BenchImage source(sw, sh), dest(dw, dh);
    pixman_image_t *from = pixmanOver(source), *to = pixmanOver(dest);
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed(double(sw) / dw),
                                pixman_double_to_fixed(double(sh) / dh));
    pixman_image_set_transform(from, &transform);
    pixman_image_set_filter(from, PIXMAN_FILTER_NEAREST, nullptr, 0);
    for (auto _ : state)
        pixman_image_composite32(PIXMAN_OP_SRC, from, nullptr, to, 0, 0, 0, 0, 0, 0, int(dw), int(dh));
    pixman_image_unref(from);
    pixman_image_unref(to);
    setBytes(state, dest.bytes());
}
void scaleZorblit(benchmark::State &state, uint32_t sw, uint32_t sh, uint32_t dw, uint32_t dh,
                  std::optional<kernels::Level> level = kDetected) {
    BenchImage source(sw, sh), dest(dw, dh);
    const KernelLevel forced(state, level);
    for (auto _ : state) {
        ScaleImage(dest, 0, 0, int32_t(dw), int32_t(dh), source);
        benchmark::ClobberMemory();
    }
    setBytes(state, dest.bytes());
}
BENCHMARK_CAPTURE(scaleSdl, up, 512, 384, 1024, 768)->Name("ScaleImage-vs-sdl2/512x384to1024x768/sdl2");
BENCHMARK_CAPTURE(scaleZorblit, up, 512, 384, 1024, 768)->Name("ScaleImage-vs-sdl2/512x384to1024x768/zorblit");
BENCHMARK_CAPTURE(scalePixman, up, 512, 384, 1024, 768)->Name("ScaleImage-vs-pixman/512x384to1024x768/pixman");
BENCHMARK_CAPTURE(scaleZorblit, up, 512, 384, 1024, 768)->Name("ScaleImage-vs-pixman/512x384to1024x768/zorblit");
BENCHMARK_CAPTURE(scaleZorblit, up, 512, 384, 1024, 768, kAvx2)->Name("ScaleImage-vs-pixman/512x384to1024x768/zorblit_avx2");
BENCHMARK_CAPTURE(scaleZorblit, up, 512, 384, 1024, 768, kSse2)->Name("ScaleImage-vs-pixman/512x384to1024x768/zorblit_sse2");
BENCHMARK_CAPTURE(scaleSdl, down, 1024, 768, 300, 200)->Name("ScaleImage-vs-sdl2/1024x768to300x200/sdl2");
BENCHMARK_CAPTURE(scaleZorblit, down, 1024, 768, 300, 200)->Name("ScaleImage-vs-sdl2/1024x768to300x200/zorblit");
BENCHMARK_CAPTURE(scalePixman, down, 1024, 768, 300, 200)->Name("ScaleImage-vs-pixman/1024x768to300x200/pixman");
BENCHMARK_CAPTURE(scaleZorblit, down, 1024, 768, 300, 200)->Name("ScaleImage-vs-pixman/1024x768to300x200/zorblit");
BENCHMARK_CAPTURE(scaleZorblit, down, 1024, 768, 300, 200, kAvx2)->Name("ScaleImage-vs-pixman/1024x768to300x200/zorblit_avx2");
BENCHMARK_CAPTURE(scaleZorblit, down, 1024, 768, 300, 200, kSse2)->Name("ScaleImage-vs-pixman/1024x768to300x200/zorblit_sse2");

// -- RotateImage of 512x512 by 33 degrees; the peer makes a new surface per call,
// as its interface requires
#ifdef ZORBLIT_BENCH_HAS_SDL2_GFX
void rotateSdlGfx(benchmark::State &state) {
    BenchImage source(512, 512);
    SDL_Surface *from = surfaceOver(source);
    for (auto _ : state) SDL_FreeSurface(rotozoomSurface(from, 33, 1.0, SMOOTHING_OFF));
    SDL_FreeSurface(from);
}
BENCHMARK(rotateSdlGfx)->Name("RotateImage/512x512by33/sdl2_gfx");
#endif
void rotateZorblit(benchmark::State &state, std::optional<kernels::Level> level) {
    BenchImage source(512, 512), dest(1024, 768);
    const KernelLevel forced(state, level);
    for (auto _ : state) {
        RotateImage(dest, 256, 128, 33, source);
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(rotateZorblit, own, kDetected)->Name("RotateImage/512x512by33/zorblit");
BENCHMARK_CAPTURE(rotateZorblit, avx2, kAvx2)->Name("RotateImage/512x512by33/zorblit_avx2");
BENCHMARK_CAPTURE(rotateZorblit, sse2, kSse2)->Name("RotateImage/512x512by33/zorblit_sse2");

// -- RotoZoomImage filling 1024x768, beside a plain copy of the same size
void rotoZoomMemcpy(benchmark::State &state) {
    BenchImage source(1024, 768), dest(1024, 768);
    for (auto _ : state) {
        std::memcpy(dest.image.data, source.image.data, dest.bytes());
        benchmark::ClobberMemory();
    }
    setBytes(state, 2 * dest.bytes());
}
// At most one source pixel read per pixel written: counted as memcpy is. The
// second angle walks the source more down than across.
void rotoZoomZorblit(benchmark::State &state, int milliradians, std::optional<kernels::Level> level) {
    BenchImage source(1024, 768), dest(1024, 768);
    const KernelLevel forced(state, level);
    for (auto _ : state) {
        RotoZoomImage(dest, source, float(milliradians) / 1000, 0.8f);
        benchmark::ClobberMemory();
    }
    setBytes(state, 2 * dest.bytes());
}
BENCHMARK(rotoZoomMemcpy)->Name("RotoZoomImage/1024x768/memcpy");
BENCHMARK_CAPTURE(rotoZoomZorblit, own, 300, kDetected)->Name("RotoZoomImage/1024x768/zorblit");
BENCHMARK_CAPTURE(rotoZoomZorblit, avx2, 300, kAvx2)->Name("RotoZoomImage/1024x768/zorblit_avx2");
BENCHMARK_CAPTURE(rotoZoomZorblit, sse2, 300, kSse2)->Name("RotoZoomImage/1024x768/zorblit_sse2");
BENCHMARK(rotoZoomMemcpy)->Name("RotoZoomImage/1024x768_steep/memcpy");
BENCHMARK_CAPTURE(rotoZoomZorblit, own, 1400, kDetected)->Name("RotoZoomImage/1024x768_steep/zorblit");
BENCHMARK_CAPTURE(rotoZoomZorblit, avx2, 1400, kAvx2)->Name("RotoZoomImage/1024x768_steep/zorblit_avx2");
BENCHMARK_CAPTURE(rotoZoomZorblit, sse2, 1400, kSse2)->Name("RotoZoomImage/1024x768_steep/zorblit_sse2");

}  // namespace
}  // namespace zorblit::bench
