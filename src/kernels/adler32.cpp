// The sums are taken modulo 65521 only as often as they could overflow 32 bits.
// The vector variants keep per-lane partial sums over a block of N bytes: s1
// gains the byte sum, s2 gains N times the old s1 plus each byte weighted by
// how many bytes remain from it to the block's end.
#include "kernels/adler32.h"

#include "kernels/dispatch.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace {

constexpr uint32_t modulus = 65521;
// The most bytes after which s2 still fits in 32 bits before the modulo.
constexpr size_t blockLimit = 5552;

}  // namespace

namespace plain {

uint32_t adler32(uint32_t adler, const uint8_t *data, size_t size) {
    uint32_t s1 = adler & 0xFFFF, s2 = adler >> 16;
    while (size) {
        const size_t block = size < blockLimit ? size : blockLimit;
        size -= block;
        for (size_t i = 0; i < block; ++i) {
            s1 += data[i];
            s2 += s1;
        }
        data += block;
        s1 %= modulus;
        s2 %= modulus;
    }
    return s2 << 16 | s1;
}

}  // namespace plain

#if defined(__x86_64__)
namespace {

uint32_t sumLanes(__m128i v) {
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, 0x4E));
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, 0xB1));
    return uint32_t(_mm_cvtsi128_si32(v));
}

// Folds one vector block of n bytes into the sums: byteSums the lanes' byte
// sums, weighted the weighted sums, earlier the byte sums of the chunks before
// each chunk (weighted by the chunk size elsewhere).
struct Sums {
    uint32_t s1, s2;
    void fold(size_t n, uint32_t byteSum, uint32_t weightedSum) {
        s2 = (s2 + uint32_t(n) * s1 + weightedSum) % modulus;
        s1 = (s1 + byteSum) % modulus;
    }
};

}  // namespace

namespace sse2 {

// 16 bytes a step; bytes widen to 16 bits for the weighted multiply-add.
uint32_t adler32(uint32_t adler, const uint8_t *data, size_t size) {
    Sums sums{adler & 0xFFFF, adler >> 16};
    constexpr size_t step = 16, block = blockLimit / step * step;
    const __m128i zero = _mm_setzero_si128();
    const __m128i weightsLow = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
    const __m128i weightsHigh = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
    while (size >= step) {
        const size_t n = size < block ? size / step * step : block;
        __m128i byteSums = zero, weighted = zero, earlier = zero;
        for (size_t i = 0; i < n; i += step) {
            const __m128i bytes = x86::load128(data + i);
            earlier = _mm_add_epi32(earlier, byteSums);
            byteSums = _mm_add_epi32(byteSums, _mm_sad_epu8(bytes, zero));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), weightsLow));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), weightsHigh));
        }
        sums.fold(n, sumLanes(byteSums), sumLanes(_mm_add_epi32(weighted, _mm_slli_epi32(earlier, 4))));
        data += n;
        size -= n;
    }
    return plain::adler32(sums.s2 << 16 | sums.s1, data, size);
}

}  // namespace sse2

namespace avx2 {

ZORBLIT_AVX2 uint32_t sumLanes(__m256i v) {
    return zorblit::kernels::sumLanes(_mm_add_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1)));
}

// 32 bytes a step; the weighted sum multiplies bytes by byte weights into 16-bit
// pairs, then adds the pairs into 32-bit lanes.
ZORBLIT_AVX2 uint32_t adler32(uint32_t adler, const uint8_t *data, size_t size) {
    Sums sums{adler & 0xFFFF, adler >> 16};
    constexpr size_t step = 32, block = blockLimit / step * step;
    const __m256i zero = _mm256_setzero_si256(), ones = _mm256_set1_epi16(1);
    const __m256i weights = _mm256_setr_epi8(32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15,
                                             14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
    while (size >= step) {
        const size_t n = size < block ? size / step * step : block;
        __m256i byteSums = zero, weighted = zero, earlier = zero;
        for (size_t i = 0; i < n; i += step) {
            const __m256i bytes = x86::load256(data + i);
            earlier = _mm256_add_epi32(earlier, byteSums);
            byteSums = _mm256_add_epi32(byteSums, _mm256_sad_epu8(bytes, zero));
            weighted = _mm256_add_epi32(weighted, _mm256_madd_epi16(_mm256_maddubs_epi16(bytes, weights), ones));
        }
        sums.fold(n, sumLanes(byteSums), sumLanes(_mm256_add_epi32(weighted, _mm256_slli_epi32(earlier, 5))));
        data += n;
        size -= n;
    }
    return sse2::adler32(sums.s2 << 16 | sums.s1, data, size);
}

}  // namespace avx2
#endif

using Adler32Kernel = ZORBLIT_KERNEL(plain::adler32, sse2::adler32, avx2::adler32);

uint32_t adler32(uint32_t adler, const uint8_t *data, size_t size) { return Adler32Kernel::call(adler, data, size); }
Adler32Fn adler32Variant(Level level) { return Adler32Kernel::pick(level); }

}  // namespace zorblit::kernels
