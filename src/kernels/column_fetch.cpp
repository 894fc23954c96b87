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
// Permuted windows: eight outputs whose columns all lie within the eight-pixel
// window at the first of them are one permute of that window. Blocks whose
// columns spread wider (shrinking by more than about 1.1), or whose window
// would pass the row's end, go pixel by pixel. On an AMD EPYC gathers were
// slower than single loads, and an AVX-512 variant (sixteen outputs from a
// 32-pixel window, or eight when they spread wider) no faster when enlarging and
// slower when shrinking by 3.4.
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

#endif

// SSE2 has no permute of 32-bit lanes by a vector; its variant is the plain loop.
using FetchColumnsKernel = ZORBLIT_KERNEL(plain::fetchColumns, plain::fetchColumns, avx2::fetchColumns);

void fetchColumns(uint32_t *dest, const uint32_t *row, uint32_t width, const uint32_t *columns, size_t count) {
    FetchColumnsKernel::call(dest, row, width, columns, count);
}
FetchColumnsFn fetchColumnsVariant(Level level) { return FetchColumnsKernel::pick(level); }

}  // namespace zorblit::kernels
