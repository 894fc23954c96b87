#include "kernels/column_fetch.h"

#include "kernels/dispatch.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace plain {

void fetchColumns(uint32_t *dest, const uint32_t *row, uint32_t, const uint32_t *columns, size_t count) {
    for (size_t k = 0; k < count; ++k) dest[k] = row[columns[k]];
}

}  // namespace plain

#if defined(__x86_64__)
// Permuted windows: a block of outputs whose columns all lie within a window
// of the row loaded whole (8 pixels for AVX2, 32 for AVX-512) is one permute of
// that window. Blocks whose columns spread wider, or whose window would pass
// the row's end, go pixel by pixel. Gathers were slower than single loads on an
// AMD EPYC.
namespace avx2 {

ZORBLIT_AVX2 void fetchColumns(uint32_t *dest, const uint32_t *row, uint32_t width, const uint32_t *columns,
                               size_t count) {
    size_t k = 0;
    for (; k + 8 <= count; k += 8) {
        const uint32_t first = columns[k];
        const __m256i offsets = _mm256_sub_epi32(x86::load256(columns + k), _mm256_set1_epi32(int32_t(first)));
        // Unsigned offsets above 7 are those with bits beyond the low three.
        const bool inWindow = _mm256_testz_si256(offsets, _mm256_set1_epi32(~7)) && width - first >= 8;
        if (inWindow)
            x86::store256(dest + k, _mm256_permutevar8x32_epi32(x86::load256(row + first), offsets));
        else
            plain::fetchColumns(dest + k, row, width, columns + k, 8);
    }
    plain::fetchColumns(dest + k, row, width, columns + k, count - k);
}

}  // namespace avx2

namespace avx512 {

// Eight outputs from the 32-pixel window at their first column; false when the
// columns spread wider or the window would pass the row's end.
ZORBLIT_AVX512 inline bool fetchEight(uint32_t *dest, const uint32_t *row, uint32_t width, const uint32_t *columns) {
    constexpr __mmask16 kEight = 0xFF;
    const uint32_t first = columns[0];
    const __m512i offsets =
        _mm512_sub_epi32(_mm512_maskz_loadu_epi32(kEight, columns), _mm512_set1_epi32(int32_t(first)));
    if (_mm512_test_epi32_mask(offsets, _mm512_set1_epi32(~31)) != 0 || width - first < 32) return false;
    const __m512i pixels = _mm512_permutex2var_epi32(x86::load512(row + first), offsets, x86::load512(row + first + 16));
    _mm512_mask_storeu_epi32(dest, kEight, pixels);
    return true;
}

ZORBLIT_AVX512 void fetchColumns(uint32_t *dest, const uint32_t *row, uint32_t width, const uint32_t *columns,
                                 size_t count) {
    size_t k = 0;
    for (; k + 16 <= count; k += 16) {
        const uint32_t first = columns[k];
        const __m512i offsets = _mm512_sub_epi32(x86::load512(columns + k), _mm512_set1_epi32(int32_t(first)));
        if (_mm512_test_epi32_mask(offsets, _mm512_set1_epi32(~31)) == 0 && width - first >= 32) {
            const __m512i pixels =
                _mm512_permutex2var_epi32(x86::load512(row + first), offsets, x86::load512(row + first + 16));
            x86::store512(dest + k, pixels);
            continue;
        }
        for (size_t half = k; half < k + 16; half += 8)
            if (!fetchEight(dest + half, row, width, columns + half))
                plain::fetchColumns(dest + half, row, width, columns + half, 8);
    }
    avx2::fetchColumns(dest + k, row, width, columns + k, count - k);
}

}  // namespace avx512
#endif

// SSE2 has no permute of 32-bit lanes by a vector; its variant is the plain loop.
using FetchColumnsKernel = ZORBLIT_KERNEL(plain::fetchColumns, plain::fetchColumns, avx2::fetchColumns,
                                          avx512::fetchColumns);

void fetchColumns(uint32_t *dest, const uint32_t *row, uint32_t width, const uint32_t *columns, size_t count) {
    FetchColumnsKernel::call(dest, row, width, columns, count);
}
FetchColumnsFn fetchColumnsVariant(Level level) { return FetchColumnsKernel::pick(level); }

}  // namespace zorblit::kernels
