#include "kernels/rotation_indices.h"

#include "core/form.h"
#include "kernels/dispatch.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace plain {

// fx steps by exactly 1, and adding and subtracting 1.5 * 2^23 rounds to
// nearest with ties to even, since every sample lies far below 2^22.
template <class Form>
void sourceIndices(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid) {
    constexpr float kRounder = 0x1.8p23f;
    for (int32_t k = 0; k < count; ++k) {
        const float fx = fx0 + float(k);
        float x, y;
        Form::rotatedSample(x, y, fx, fy, grid.turn, grid.cx, grid.cy);
        const int32_t sx = int32_t((x + kRounder) - kRounder), sy = int32_t((y + kRounder) - kRounder);
        const bool inside = uint32_t(sx) < uint32_t(grid.width) && uint32_t(sy) < uint32_t(grid.height);
        indices[k] = inside ? sy * grid.width + sx : -1;
    }
}

}  // namespace plain

#if defined(__x86_64__)
namespace sse2 {

// Four pixels at a time: the lanes take the plain loop's float operations in
// the same order (the form's rotated samples on vectors), the conversion rounds to
// nearest with ties to even, and one multiply-add of 16-bit halves gives column
// plus row times width. The lanes' column offsets step by exactly 4, as all are
// small integers.
template <class Form>
void sourceIndices(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid) {
    using Floats = float __attribute__((vector_size(16)));
    using Unsigned = uint32_t __attribute__((vector_size(16)));
    const Floats y = Floats{} + fy;
    Floats x = Floats{0, 1, 2, 3} + fx0;
    const __m128i weights = _mm_set1_epi32(grid.width << 16 | 1);
    const Unsigned width = Unsigned{} + uint32_t(grid.width), height = Unsigned{} + uint32_t(grid.height);
    int32_t k = 0;
    for (; k + 4 <= count; k += 4, x += 4) {
        Floats sampleXs, sampleYs;
        Form::rotatedSample(sampleXs, sampleYs, x, y, grid.turn, grid.cx, grid.cy);
        const __m128i sx = _mm_cvtps_epi32(__m128(sampleXs)), sy = _mm_cvtps_epi32(__m128(sampleYs));
        const __m128i inside = __m128i((Unsigned(sx) < width) & (Unsigned(sy) < height));
        const __m128i columnAndRow = _mm_or_si128(_mm_and_si128(sx, _mm_set1_epi32(0xFFFF)), _mm_slli_epi32(sy, 16));
        const __m128i index = _mm_madd_epi16(columnAndRow, weights);
        x86::store128(indices + k, _mm_or_si128(index, ~inside));  // -1 outside
    }
    plain::sourceIndices<Form>(indices + k, count - k, fx0 + float(k), fy, grid);
}

}  // namespace sse2

// Eight and sixteen pixels at a time, as the SSE2 variant does four.
namespace avx2 {

template <class Form>
ZORBLIT_AVX2 void sourceIndices(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid) {
    using Floats = float __attribute__((vector_size(32)));
    using Unsigned = uint32_t __attribute__((vector_size(32)));
    const Floats y = Floats{} + fy;
    Floats x = Floats{0, 1, 2, 3, 4, 5, 6, 7} + fx0;
    const __m256i weights = _mm256_set1_epi32(grid.width << 16 | 1);
    const Unsigned width = Unsigned{} + uint32_t(grid.width), height = Unsigned{} + uint32_t(grid.height);
    int32_t k = 0;
    for (; k + 8 <= count; k += 8, x += 8) {
        Floats sampleXs, sampleYs;
        Form::rotatedSample(sampleXs, sampleYs, x, y, grid.turn, grid.cx, grid.cy);
        const Unsigned sx = Unsigned(_mm256_cvtps_epi32(__m256(sampleXs)));
        const Unsigned sy = Unsigned(_mm256_cvtps_epi32(__m256(sampleYs)));
        const Unsigned inside = Unsigned((sx < width) & (sy < height));
        const __m256i index = _mm256_madd_epi16(__m256i((sx & 0xFFFF) | sy << 16), weights);
        x86::store256(indices + k, __m256i(Unsigned(index) | ~inside));
    }
    sse2::sourceIndices<Form>(indices + k, count - k, fx0 + float(k), fy, grid);
}

}  // namespace avx2

namespace avx512 {

template <class Form>
ZORBLIT_AVX512 void sourceIndices(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid) {
    using Floats = float __attribute__((vector_size(64)));
    using Unsigned = uint32_t __attribute__((vector_size(64)));
    const Floats y = Floats{} + fy;
    Floats x = Floats{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15} + fx0;
    const __m512i weights = _mm512_set1_epi32(grid.width << 16 | 1);
    const Unsigned width = Unsigned{} + uint32_t(grid.width), height = Unsigned{} + uint32_t(grid.height);
    int32_t k = 0;
    for (; k + 16 <= count; k += 16, x += 16) {
        Floats sampleXs, sampleYs;
        Form::rotatedSample(sampleXs, sampleYs, x, y, grid.turn, grid.cx, grid.cy);
        const Unsigned sx = Unsigned(_mm512_maskz_cvtps_epi32(x86::kAll16, __m512(sampleXs)));
        const Unsigned sy = Unsigned(_mm512_maskz_cvtps_epi32(x86::kAll16, __m512(sampleYs)));
        const Unsigned inside = Unsigned((sx < width) & (sy < height));
        const __m512i index = _mm512_madd_epi16(__m512i((sx & 0xFFFF) | sy << 16), weights);
        x86::store512(indices + k, __m512i(Unsigned(index) | ~inside));
    }
    avx2::sourceIndices<Form>(indices + k, count - k, fx0 + float(k), fy, grid);
}

}  // namespace avx512
#endif

template <class Form>
using SourceIndicesKernel = ZORBLIT_KERNEL(plain::sourceIndices<Form>, sse2::sourceIndices<Form>,
                                           avx2::sourceIndices<Form>, avx512::sourceIndices<Form>);

template <class Form>
void sourceIndices(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid) {
    SourceIndicesKernel<Form>::call(indices, count, fx0, fy, grid);
}
template <class Form>
SourceIndicesFn sourceIndicesVariant(Level level) {
    return SourceIndicesKernel<Form>::pick(level);
}

template void sourceIndices<Packed>(int32_t *, int32_t, float, float, const SampleGrid &);
template void sourceIndices<Portable>(int32_t *, int32_t, float, float, const SampleGrid &);
template SourceIndicesFn sourceIndicesVariant<Packed>(Level);
template SourceIndicesFn sourceIndicesVariant<Portable>(Level);

}  // namespace zorblit::kernels
