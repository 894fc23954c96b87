// Whole-image effects at 1024x768: the byte-parallel runs beside memcpy, the blur
// beside a pixman 3x3 box convolution, the sine plasma beside a per-pixel sinf.
// Rows beside memcpy count the bytes they read plus write, so they compare as
// bandwidth: memcpy and the in-place inversion move two images, a combination three.
#include <pixman.h>

#include <cmath>

#include "bench_util.h"
#include "effects/combine.h"

namespace zorblit::bench {
namespace {

constexpr uint32_t W = 1024, H = 768;

void copyMemcpy(benchmark::State &state) {
    BenchImage source(W, H), dest(W, H);
    for (auto _ : state) {
        std::memcpy(dest.image.data, source.image.data, dest.bytes());
        benchmark::ClobberMemory();
    }
    setBytes(state, 2 * dest.bytes());
}

void invertZorblit(benchmark::State &state, std::optional<kernels::Level> level) {
    BenchImage image(W, H);
    const KernelLevel forced(state, level);
    for (auto _ : state) {
        InvertImageColors(image);
        benchmark::ClobberMemory();
    }
    setBytes(state, 2 * image.bytes());
}

void combineZorblit(benchmark::State &state, void (*combine)(GFXimage, GFXimage, GFXimage),
                    std::optional<kernels::Level> level) {
    BenchImage a(W, H, 1), b(W, H, 2), dest(W, H, 3);
    const KernelLevel forced(state, level);
    for (auto _ : state) {
        combine(dest, a, b);
        benchmark::ClobberMemory();
    }
    setBytes(state, 3 * dest.bytes());
}

// The portable form's combinations, for comparison with the packed ones.
template <class Combination>
void combinePortable(GFXimage dest, GFXimage a, GFXimage b) {
    combineImages<Portable, Combination>(dest, a, b);
}

#define COMBINE(group, impl, fn, level) \
    BENCHMARK_CAPTURE(combineZorblit, impl, fn, level)->Name(group "/1024x768/" #impl)
BENCHMARK(copyMemcpy)->Name("InvertImageColors/1024x768/memcpy");
BENCHMARK_CAPTURE(invertZorblit, zorblit, kDetected)->Name("InvertImageColors/1024x768/zorblit");
BENCHMARK_CAPTURE(invertZorblit, zorblit_avx2, kAvx2)->Name("InvertImageColors/1024x768/zorblit_avx2");
BENCHMARK(copyMemcpy)->Name("AverageImage/1024x768/memcpy");
COMBINE("AverageImage", zorblit, AverageImage, kDetected);
COMBINE("AverageImage", zorblit_avx2, AverageImage, kAvx2);
COMBINE("AverageImage", zorblit_portable, combinePortable<AverageCombination>, kDetected);
BENCHMARK(copyMemcpy)->Name("SaturatedImageAdd/1024x768/memcpy");
COMBINE("SaturatedImageAdd", zorblit, SaturatedImageAdd, kDetected);
COMBINE("SaturatedImageAdd", zorblit_avx2, SaturatedImageAdd, kAvx2);
COMBINE("SaturatedImageAdd", zorblit_portable, combinePortable<AddCombination>, kDetected);
BENCHMARK(copyMemcpy)->Name("SaturatedImageSub/1024x768/memcpy");
COMBINE("SaturatedImageSub", zorblit, SaturatedImageSub, kDetected);
COMBINE("SaturatedImageSub", zorblit_avx2, SaturatedImageSub, kAvx2);

// -- blur: pixman's 3x3 convolution with equal weights (a separate destination,
// as pixman cannot work in place) against the in-place blur
void blurPixman(benchmark::State &state) {
    BenchImage source(W, H, 1), dest(W, H, 2);
    pixman_image_t *from = pixman_image_create_bits(PIXMAN_a8r8g8b8, int(W), int(H), source.image.data, int(W * 4));
    pixman_image_t *to = pixman_image_create_bits(PIXMAN_a8r8g8b8, int(W), int(H), dest.image.data, int(W * 4));
    pixman_fixed_t kernel[2 + 9] = {pixman_int_to_fixed(3), pixman_int_to_fixed(3)};
    for (int i = 2; i < 11; ++i) kernel[i] = pixman_fixed_1 / 9;
    pixman_image_set_filter(from, PIXMAN_FILTER_CONVOLUTION, kernel, 11);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, from, nullptr, to, 0, 0, 0, 0, 0, 0, int(W), int(H));
        benchmark::ClobberMemory();
    }
    pixman_image_unref(from);
    pixman_image_unref(to);
    setBytes(state, dest.bytes());
}
void blurZorblit(benchmark::State &state) {
    BenchImage image(W, H);
    for (auto _ : state) {
        BlurImage(image);
        benchmark::ClobberMemory();
    }
    setBytes(state, image.bytes());
}
BENCHMARK(blurPixman)->Name("BlurImage/1024x768/pixman");
BENCHMARK(blurZorblit)->Name("BlurImage/1024x768/zorblit");

// -- sine plasma: the same picture with two sinf calls per pixel
void plasmaSinf(benchmark::State &state) {
    BenchImage image(W, H);
    const float dx = 0.02f, dy = 0.03f;
    for (auto _ : state) {
        for (uint32_t y = 0; y < H; ++y)
            for (uint32_t x = 0; x < W; ++x) {
                const float level = 63.5f * std::sin(float(x) * dx) + 63.5f * std::sin(float(y) * dy) + 127.0f;
                image.image.data[size_t(y) * W + x] = 0xFF000000u | uint32_t(std::nearbyint(level)) * 0x010101u;
            }
        benchmark::ClobberMemory();
    }
    setBytes(state, image.bytes());
}
void plasmaZorblit(benchmark::State &state) {
    BenchImage image(W, H);
    for (auto _ : state) {
        SinePlasmaImage(image, 0.02f, 0.03f, 256);
        benchmark::ClobberMemory();
    }
    setBytes(state, image.bytes());
}
BENCHMARK(plasmaSinf)->Name("SinePlasmaImage/1024x768/sinf");
BENCHMARK(plasmaZorblit)->Name("SinePlasmaImage/1024x768/zorblit");

}  // namespace
}  // namespace zorblit::bench
