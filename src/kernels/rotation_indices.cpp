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
        const int32_t sx = int32_t((Form::rotatedSampleX(fx, fy, grid.turn, grid.cx) + kRounder) - kRounder);
        const int32_t sy = int32_t((Form::rotatedSampleY(fx, fy, grid.turn, grid.cy) + kRounder) - kRounder);
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
        const __m128i sx = _mm_cvtps_epi32(__m128(Form::rotatedSampleX(x, y, grid.turn, grid.cx)));
        const __m128i sy = _mm_cvtps_epi32(__m128(Form::rotatedSampleY(x, y, grid.turn, grid.cy)));
        const __m128i inside = __m128i((Unsigned(sx) < width) & (Unsigned(sy) < height));
        const __m128i columnAndRow = _mm_or_si128(_mm_and_si128(sx, _mm_set1_epi32(0xFFFF)), _mm_slli_epi32(sy, 16));
        const __m128i index = _mm_madd_epi16(columnAndRow, weights);
        x86::store128(indices + k, _mm_or_si128(index, ~inside));  // -1 outside
    }
    plain::sourceIndices<Form>(indices + k, count - k, fx0 + float(k), fy, grid);
}

}  // namespace sse2
#endif

template <class Form>
using SourceIndicesKernel =
    ZORBLIT_KERNEL(plain::sourceIndices<Form>, sse2::sourceIndices<Form>);

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
