#include "kernels/zoom_row.h"

#include <algorithm>
#include <cstdlib>

#include "core/image_math.h"
#include "kernels/dispatch.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace plain {

void sampleAlong(uint32_t *out, int64_t count, int64_t u, int64_t v, int64_t du, int64_t dv, const GFXimage &source) {
    for (int64_t x = 0; x < count; ++x, u += du, v += dv)
        out[x] = *pixelAddress(source, uint64_t(u >> 16), uint64_t(v >> 16));
}

}  // namespace plain

#if defined(__x86_64__)
// Inside a source under 2^15 pixels a side, positions fit 32-bit lanes, where
// wrapping sums stay exact, and a pixel's index is one multiply-add of 16-bit
// halves: the column from u's integer part, the row from v's times the width.
inline bool fitsLanes(const GFXimage &source) { return source.width < 32768 && source.height < 32768; }

namespace sse2 {

void sampleAlong(uint32_t *out, int64_t count, int64_t u, int64_t v, int64_t du, int64_t dv, const GFXimage &source) {
    int64_t x = 0;
    if (fitsLanes(source)) {
        // start, start + step, start + 2 step, start + 3 step
        const auto lanes = [](int64_t start, int64_t step) {
            const __m128i multiples = _mm_setr_epi32(0, int32_t(step), int32_t(2 * step), int32_t(3 * step));
            return _mm_add_epi32(_mm_set1_epi32(int32_t(start)), multiples);
        };
        __m128i us = lanes(u, du), vs = lanes(v, dv);
        const __m128i stepU = _mm_set1_epi32(int32_t(4 * du)), stepV = _mm_set1_epi32(int32_t(4 * dv));
        const __m128i rowHalf = _mm_set1_epi32(int32_t(0xFFFF0000u));
        const __m128i weights = _mm_set1_epi32(int32_t(source.width) << 16 | 1);
        for (; x + 4 <= count; x += 4) {
            const __m128i index =
                _mm_madd_epi16(_mm_or_si128(_mm_srli_epi32(us, 16), _mm_and_si128(vs, rowHalf)), weights);
            const uint64_t low = uint64_t(_mm_cvtsi128_si64(index));
            const uint64_t high = uint64_t(_mm_cvtsi128_si64(_mm_unpackhi_epi64(index, index)));
            out[x] = source.data[uint32_t(low)];
            out[x + 1] = source.data[low >> 32];
            out[x + 2] = source.data[uint32_t(high)];
            out[x + 3] = source.data[high >> 32];
            us = _mm_add_epi32(us, stepU);
            vs = _mm_add_epi32(vs, stepV);
        }
    }
    plain::sampleAlong(out + x, count - x, u + x * du, v + x * dv, du, dv, source);
}

}  // namespace sse2

// Permuted windows: eight pixels whose columns lie within eight of each other
// and whose rows within four are a permute of the eight-pixel window at their
// leftmost column in each of those rows, blended by row. Steeper or wider walks,
// and windows that would pass the row's end, take the SSE2 loop. Gathers (AVX2
// and AVX-512) were no faster than that loop on an AMD EPYC at 0.3 rad, and
// twenty times slower on steep walks, whose lanes touch a page each; sixteen-pixel
// windows (AVX-512), five rows deep, were slower than these.
namespace avx2 {

ZORBLIT_AVX2 void sampleAlong(uint32_t *out, int64_t count, int64_t u, int64_t v, int64_t du, int64_t dv,
                              const GFXimage &source) {
    int64_t x = 0;
    const int64_t width = source.width;
    constexpr int64_t kRows = 4;
    if (fitsLanes(source) && 7 * std::abs(du) < (7 << 16) && 7 * std::abs(dv) < ((kRows - 1) << 16)) {
        // start + lane * step in each lane
        const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
        __m256i us = _mm256_add_epi32(_mm256_set1_epi32(int32_t(u)),
                                      _mm256_mullo_epi32(lanes, _mm256_set1_epi32(int32_t(du))));
        __m256i vs = _mm256_add_epi32(_mm256_set1_epi32(int32_t(v)),
                                      _mm256_mullo_epi32(lanes, _mm256_set1_epi32(int32_t(dv))));
        const __m256i stepU = _mm256_set1_epi32(int32_t(8 * du)), stepV = _mm256_set1_epi32(int32_t(8 * dv));
        int64_t uFirst = u, vFirst = v;
        for (; x + 8 <= count; x += 8, us = _mm256_add_epi32(us, stepU), vs = _mm256_add_epi32(vs, stepV),
                               uFirst += 8 * du, vFirst += 8 * dv) {
            const int64_t uLast = uFirst + 7 * du, vLast = vFirst + 7 * dv;
            const int64_t left = std::min(uFirst, uLast) >> 16;  // both ends lie inside the source
            const int64_t top = std::min(vFirst, vLast) >> 16, bottom = std::max(vFirst, vLast) >> 16;
            if (left + 8 > width) {
                sse2::sampleAlong(out + x, 8, uFirst, vFirst, du, dv, source);
                continue;
            }
            const __m256i columns = _mm256_sub_epi32(_mm256_srli_epi32(us, 16), _mm256_set1_epi32(int32_t(left)));
            const __m256i rows = _mm256_srli_epi32(vs, 16);
            const uint32_t *window = source.data + top * width + left;
            __m256i pixels = _mm256_permutevar8x32_epi32(x86::load256(window), columns);
            for (int64_t row = top + 1; row <= bottom; ++row) {
                window += width;
                const __m256i here = _mm256_cmpeq_epi32(rows, _mm256_set1_epi32(int32_t(row)));
                pixels = _mm256_blendv_epi8(pixels, _mm256_permutevar8x32_epi32(x86::load256(window), columns), here);
            }
            x86::store256(out + x, pixels);
        }
    }
    sse2::sampleAlong(out + x, count - x, u + x * du, v + x * dv, du, dv, source);
}

}  // namespace avx2

#endif

using SampleAlongKernel = ZORBLIT_KERNEL(plain::sampleAlong, sse2::sampleAlong, avx2::sampleAlong);

void sampleAlong(uint32_t *out, int64_t count, int64_t u, int64_t v, int64_t du, int64_t dv, const GFXimage &source) {
    SampleAlongKernel::call(out, count, u, v, du, dv, source);
}
SampleAlongFn sampleAlongVariant(Level level) { return SampleAlongKernel::pick(level); }

}  // namespace zorblit::kernels
