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
// The lanes of one register width: rounding to nearest, column plus row times
// width from the 16-bit halves, and the store.
struct Lanes4 {
    using Floats = float __attribute__((vector_size(16)));
    using Unsigned = uint32_t __attribute__((vector_size(16)));
    static constexpr int32_t kCount = 4;
    static Unsigned round(const Floats &f) { return Unsigned(_mm_cvtps_epi32(__m128(f))); }
    static Unsigned rowMajor(const Unsigned &halves, int32_t width) {
        return Unsigned(_mm_madd_epi16(__m128i(halves), _mm_set1_epi32(width << 16 | 1)));
    }
    static void store(int32_t *to, const Unsigned &v) { x86::store128(to, __m128i(v)); }
};
struct Lanes8 {
    using Floats = float __attribute__((vector_size(32)));
    using Unsigned = uint32_t __attribute__((vector_size(32)));
    static constexpr int32_t kCount = 8;
    ZORBLIT_AVX2 static Unsigned round(const Floats &f) { return Unsigned(_mm256_cvtps_epi32(__m256(f))); }
    ZORBLIT_AVX2 static Unsigned rowMajor(const Unsigned &halves, int32_t width) {
        return Unsigned(_mm256_madd_epi16(__m256i(halves), _mm256_set1_epi32(width << 16 | 1)));
    }
    ZORBLIT_AVX2 static void store(int32_t *to, const Unsigned &v) { x86::store256(to, __m256i(v)); }
};
struct Lanes16 {
    using Floats = float __attribute__((vector_size(64)));
    using Unsigned = uint32_t __attribute__((vector_size(64)));
    static constexpr int32_t kCount = 16;
    ZORBLIT_AVX512 static Unsigned round(const Floats &f) {
        return Unsigned(_mm512_maskz_cvtps_epi32(x86::kAll16, __m512(f)));
    }
    ZORBLIT_AVX512 static Unsigned rowMajor(const Unsigned &halves, int32_t width) {
        return Unsigned(_mm512_madd_epi16(__m512i(halves), _mm512_set1_epi32(width << 16 | 1)));
    }
    ZORBLIT_AVX512 static void store(int32_t *to, const Unsigned &v) { x86::store512(to, __m512i(v)); }
};

// Each level runs the body for its register width and finishes the tail with
// the level below.
namespace sse2 {
#include "kernels/rotation_indices_body.h"

template <class Form>
void sourceIndices(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid) {
    const int32_t done = sourceIndicesInLanes<Form, Lanes4>(indices, count, fx0, fy, grid);
    plain::sourceIndices<Form>(indices + done, count - done, fx0 + float(done), fy, grid);
}

}  // namespace sse2

namespace avx2 {
ZORBLIT_AVX2_BEGIN
#include "kernels/rotation_indices_body.h"

template <class Form>
void sourceIndices(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid) {
    const int32_t done = sourceIndicesInLanes<Form, Lanes8>(indices, count, fx0, fy, grid);
    sse2::sourceIndices<Form>(indices + done, count - done, fx0 + float(done), fy, grid);
}
ZORBLIT_TARGET_END
}  // namespace avx2

namespace avx512 {
ZORBLIT_AVX512_BEGIN
#include "kernels/rotation_indices_body.h"

template <class Form>
void sourceIndices(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid) {
    const int32_t done = sourceIndicesInLanes<Form, Lanes16>(indices, count, fx0, fy, grid);
    avx2::sourceIndices<Form>(indices + done, count - done, fx0 + float(done), fy, grid);
}
ZORBLIT_TARGET_END
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
