// The row pass and the column pass are each written once for a lane type. The
// plain variant runs one row, then one column, at a time (uint32_t). The SSE2
// variant runs the rows one at a time and four columns side by side (a 4-lane
// vector); it skips the all-zero rows (a zero row stays zero) and, when only
// row 0 is left, gives flat columns: with in[1..7] = 0 the column pass reduces
// to (in[0] * 256 + 8192) >> 14, plus 128. The AVX2 variant transposes the block
// so that all eight rows, then all eight columns, pass side by side in 8-lane
// vectors, where a 32-bit multiply is one instruction.
#include "kernels/idct.h"

#include <algorithm>
#include <cstring>

#include "kernels/dispatch.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace {

constexpr uint32_t W1 = 2841, W2 = 2676, W3 = 2408, W5 = 1609, W6 = 1108, W7 = 565;

#if defined(__x86_64__)
using Lanes = uint32_t __attribute__((vector_size(16)));
using SignedLanes = int32_t __attribute__((vector_size(16)));
constexpr int kLanes = 4;
// Eight lanes, only for code built for AVX2: the passes take them through
// pointers and shift them in expressions, as a wide vector passed by value
// would not compile for the baseline.
using WideLanes = uint32_t __attribute__((vector_size(32)));
using SignedWideLanes = int32_t __attribute__((vector_size(32)));
#endif

// The signed type of a lane type, for arithmetic shifts of values kept as
// unsigned words (whose arithmetic wraps).
template <class V>
struct SignedOf {
    using type = int32_t;
};
#if defined(__x86_64__)
template <>
struct SignedOf<Lanes> {
    using type = SignedLanes;
};
template <>
struct SignedOf<WideLanes> {
    using type = SignedWideLanes;
};
#endif

// The row pass on in[0..7] (the eight coefficients of one or more rows).
template <class V>
[[gnu::always_inline]] inline void rowTransform(const V in[8], V out[8]) {
    using S = typename SignedOf<V>::type;
    V x0 = in[0] * 2048 + 128, x1 = in[4] * 2048, x2 = in[6], x3 = in[2];
    V x4 = in[1], x5 = in[7], x6 = in[5], x7 = in[3];
    V x8 = W7 * (x4 + x5);
    x4 = x8 + (W1 - W7) * x4;
    x5 = x8 - (W1 + W7) * x5;
    x8 = W3 * (x6 + x7);
    x6 = x8 - (W3 - W5) * x6;
    x7 = x8 - (W3 + W5) * x7;
    x8 = x0 + x1;
    x0 -= x1;
    x1 = W6 * (x3 + x2);
    x2 = x1 - (W2 + W6) * x2;
    x3 = x1 + (W2 - W6) * x3;
    x1 = x4 + x6;
    x4 -= x6;
    x6 = x5 + x7;
    x5 -= x7;
    x7 = x8 + x3;
    x8 -= x3;
    x3 = x0 + x2;
    x0 -= x2;
    x2 = V(S(181 * (x4 + x5) + 128) >> 8);
    x4 = V(S(181 * (x4 - x5) + 128) >> 8);
    out[0] = V(S(x7 + x1) >> 8);
    out[1] = V(S(x3 + x2) >> 8);
    out[2] = V(S(x0 + x4) >> 8);
    out[3] = V(S(x8 + x6) >> 8);
    out[4] = V(S(x8 - x6) >> 8);
    out[5] = V(S(x0 - x4) >> 8);
    out[6] = V(S(x3 - x2) >> 8);
    out[7] = V(S(x7 - x1) >> 8);
}

// One row in place; a row without AC terms is eight times its DC (what the
// transform gives unless the arithmetic wraps: the shortcut decides then).
[[gnu::always_inline]] inline void rowPass(uint32_t *row) {
    if (!(row[1] | row[2] | row[3] | row[4] | row[5] | row[6] | row[7])) {
        const uint32_t value = row[0] * 8;
        for (int i = 0; i < 8; ++i) row[i] = value;
        return;
    }
    rowTransform(row, row);
}

// The column pass on in[0..7] (the eight rows of one or more columns); results
// are (value >> 14) + 128, still to be clamped.
template <class V>
[[gnu::always_inline]] inline void columnPass(const V in[8], V out[8]) {
    using S = typename SignedOf<V>::type;
    V x0 = in[0] * 256 + 8192, x1 = in[4] * 256, x2 = in[6], x3 = in[2];
    V x4 = in[1], x5 = in[7], x6 = in[5], x7 = in[3];
    V x8 = W7 * (x4 + x5) + 4;
    x4 = V(S(x8 + (W1 - W7) * x4) >> 3);
    x5 = V(S(x8 - (W1 + W7) * x5) >> 3);
    x8 = W3 * (x6 + x7) + 4;
    x6 = V(S(x8 - (W3 - W5) * x6) >> 3);
    x7 = V(S(x8 - (W3 + W5) * x7) >> 3);
    x8 = x0 + x1;
    x0 -= x1;
    x1 = W6 * (x3 + x2) + 4;
    x2 = V(S(x1 - (W2 + W6) * x2) >> 3);
    x3 = V(S(x1 + (W2 - W6) * x3) >> 3);
    x1 = x4 + x6;
    x4 -= x6;
    x6 = x5 + x7;
    x5 -= x7;
    x7 = x8 + x3;
    x8 -= x3;
    x3 = x0 + x2;
    x0 -= x2;
    x2 = V(S(181 * (x4 + x5) + 128) >> 8);
    x4 = V(S(181 * (x4 - x5) + 128) >> 8);
    out[0] = V(S(x7 + x1) >> 14) + 128;
    out[1] = V(S(x3 + x2) >> 14) + 128;
    out[2] = V(S(x0 + x4) >> 14) + 128;
    out[3] = V(S(x8 + x6) >> 14) + 128;
    out[4] = V(S(x8 - x6) >> 14) + 128;
    out[5] = V(S(x0 - x4) >> 14) + 128;
    out[6] = V(S(x3 - x2) >> 14) + 128;
    out[7] = V(S(x7 - x1) >> 14) + 128;
}

[[gnu::always_inline]] inline uint8_t clampSample(uint32_t value) {
    const int32_t v = int32_t(value);
    return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Rows 0 to usedRows - 1 of the block (stored column by column) into rows (row
// by row) through the row pass; their coefficients are cleared on the way.
[[gnu::always_inline]] inline void rowPasses(int32_t coefficients[64], int usedRows, uint32_t rows[64]) {
    for (int r = 0; r < usedRows; ++r) {
        for (int c = 0; c < 8; ++c) {
            rows[r * 8 + c] = uint32_t(coefficients[c * 8 + r]);
            coefficients[c * 8 + r] = 0;
        }
        rowPass(rows + r * 8);
    }
}

#if defined(__x86_64__)
// Eight samples of one row from its left and right four columns. Saturating to
// 16 bits, then to 0..255, is clampSample on every lane.
[[gnu::always_inline]] inline void storeSamples(Lanes left, Lanes right, uint8_t *out) {
    const __m128i words = _mm_packs_epi32(__m128i(left), __m128i(right));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(words, words));
}

// Both halves of the block from its first usedRows rows; rows kRows to 7 are
// known to be zero, which the compiler folds into a shorter column pass.
template <int kRows>
[[gnu::always_inline]] inline void columnPasses(const uint32_t *rows, int usedRows, uint8_t *out, ptrdiff_t stride) {
    Lanes left[8] = {}, right[8] = {}, leftSamples[8], rightSamples[8];
    for (int r = 0; r < std::min(usedRows, kRows); ++r) {
        std::memcpy(&left[r], rows + r * 8, sizeof(Lanes));
        std::memcpy(&right[r], rows + r * 8 + kLanes, sizeof(Lanes));
    }
    columnPass(left, leftSamples);
    columnPass(right, rightSamples);
    for (int r = 0; r < 8; ++r) storeSamples(leftSamples[r], rightSamples[r], out + r * stride);
}

// The block in lanes; the variants below build it for their level.
[[gnu::always_inline]] inline void inverseDctInLanes(int32_t coefficients[64], int usedRows, uint8_t *out,
                                                     ptrdiff_t stride) {
    uint32_t rows[64];
    rowPasses(coefficients, usedRows, rows);
    if (usedRows == 1) {
        uint8_t flat[8];
        for (int c = 0; c < 8; ++c) flat[c] = clampSample(uint32_t(int32_t(rows[c] * 256 + 8192) >> 14) + 128);
        for (int r = 0; r < 8; ++r) std::memcpy(out + r * stride, flat, 8);
        return;
    }
    if (usedRows == 2)
        columnPasses<2>(rows, usedRows, out, stride);
    else if (usedRows <= 4)
        columnPasses<4>(rows, usedRows, out, stride);
    else
        columnPasses<8>(rows, usedRows, out, stride);
}
#endif

}  // namespace

namespace plain {

// Every row and every column, one column at a time; usedRows only promises zeros.
void inverseDct(int32_t coefficients[64], int, uint8_t *out, ptrdiff_t stride) {
    uint32_t rows[64];
    rowPasses(coefficients, 8, rows);
    for (int c = 0; c < 8; ++c) {
        uint32_t in[8], result[8];
        for (int r = 0; r < 8; ++r) in[r] = rows[r * 8 + c];
        columnPass(in, result);
        for (int r = 0; r < 8; ++r) out[r * stride + c] = clampSample(result[r]);
    }
}

}  // namespace plain

#if defined(__x86_64__)
namespace sse2 {
void inverseDct(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride) {
    inverseDctInLanes(coefficients, usedRows, out, stride);
}
}  // namespace sse2

namespace avx2 {

// Rows to columns: afterwards v[c] holds, in lane r, what v[r] held in lane c.
[[gnu::always_inline]] ZORBLIT_AVX2 inline void transpose(__m256i v[8]) {
    __m256i pairs[8], quads[8];
    for (int i = 0; i < 8; i += 2) {
        pairs[i] = _mm256_unpacklo_epi32(v[i], v[i + 1]);
        pairs[i + 1] = _mm256_unpackhi_epi32(v[i], v[i + 1]);
    }
    for (int i = 0; i < 8; i += 4)
        for (int j = 0; j < 2; ++j) {
            quads[i + 2 * j] = _mm256_unpacklo_epi64(pairs[i + j], pairs[i + j + 2]);
            quads[i + 2 * j + 1] = _mm256_unpackhi_epi64(pairs[i + j], pairs[i + j + 2]);
        }
    for (int i = 0; i < 4; ++i) {
        v[i] = _mm256_permute2x128_si256(quads[i], quads[i + 4], 0x20);
        v[i + 4] = _mm256_permute2x128_si256(quads[i], quads[i + 4], 0x31);
    }
}

// Four rows of samples (row r in lanes of v[r]) clamped to bytes and stored.
[[gnu::always_inline]] ZORBLIT_AVX2 inline void storeFourRows(const __m256i v[4], uint8_t *out, ptrdiff_t stride) {
    // Bytes of rows 0-3, columns 0-3, then of rows 0-3, columns 4-7; saturating to
    // 16 bits, then to 0..255, is clampSample on every lane.
    const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(v[0], v[1]), _mm256_packs_epi32(v[2], v[3]));
    const __m256i rows = _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
    const __m128i low = _mm256_castsi256_si128(rows), high = _mm256_extracti128_si256(rows, 1);
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), low);
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out + stride), _mm_unpackhi_epi64(low, low));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out + 2 * stride), high);
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out + 3 * stride), _mm_unpackhi_epi64(high, high));
}

// All eight rows side by side (one lane each: the block's columns as stored)
// through the row pass, then all eight columns through the column pass. A row
// without AC terms takes the shortcut's value, lane by lane. Rows kRows to 7 are
// known to be zero after the row pass, which the compiler folds into a shorter
// column pass.
template <int kRows>
[[gnu::always_inline]] ZORBLIT_AVX2 inline void transformWide(int32_t coefficients[64], uint8_t *out,
                                                              ptrdiff_t stride) {
    __m256i v[8];
    for (int c = 0; c < 8; ++c) {
        v[c] = x86::load256(coefficients + c * 8);
        x86::store256(coefficients + c * 8, _mm256_setzero_si256());
    }
    WideLanes in[8], rowResults[8];
    for (int i = 0; i < 8; ++i) in[i] = WideLanes(v[i]);
    rowTransform(in, rowResults);
    const WideLanes flat = in[0] * 8;
    const WideLanes acFree = WideLanes((in[1] | in[2] | in[3] | in[4] | in[5] | in[6] | in[7]) == 0);
    for (int i = 0; i < 8; ++i) v[i] = __m256i((flat & acFree) | (rowResults[i] & ~acFree));
    transpose(v);
    WideLanes columns[8] = {}, samples[8];
    for (int r = 0; r < kRows; ++r) columns[r] = WideLanes(v[r]);
    columnPass(columns, samples);
    for (int r = 0; r < 8; ++r) v[r] = __m256i(samples[r]);
    storeFourRows(v, out, stride);
    storeFourRows(v + 4, out + 4 * stride, stride);
}

[[gnu::always_inline]] ZORBLIT_AVX2 inline void inverseDctWide(int32_t coefficients[64], int usedRows, uint8_t *out,
                                                               ptrdiff_t stride) {
    if (usedRows == 1)
        inverseDctInLanes(coefficients, usedRows, out, stride);
    else if (usedRows == 2)
        transformWide<2>(coefficients, out, stride);
    else if (usedRows <= 4)
        transformWide<4>(coefficients, out, stride);
    else
        transformWide<8>(coefficients, out, stride);
}

ZORBLIT_AVX2 void inverseDct(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride) {
    inverseDctWide(coefficients, usedRows, out, stride);
}

}  // namespace avx2

// The AVX2 code with 32 vector registers instead of 16, which saves the spills.
namespace avx512 {
ZORBLIT_AVX512 void inverseDct(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride) {
    avx2::inverseDctWide(coefficients, usedRows, out, stride);
}
}  // namespace avx512
#endif

using InverseDctKernel = ZORBLIT_KERNEL(plain::inverseDct, sse2::inverseDct, avx2::inverseDct, avx512::inverseDct);

void inverseDct(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride) {
    InverseDctKernel::call(coefficients, usedRows, out, stride);
}
InverseDctFn inverseDctVariant(Level level) { return InverseDctKernel::pick(level); }

}  // namespace zorblit::kernels
