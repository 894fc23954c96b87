// The row pass runs one row at a time and shortens rows without AC terms. The
// column pass is written once for a lane type: one column at a time (uint32_t) in
// the plain variant, four columns side by side (a 4-lane vector) in the others,
// which also skip the all-zero rows (a zero row stays zero) and, when only row 0
// is left, give flat columns: with in[1..7] = 0 the column pass reduces to
// (in[0] * 256 + 8192) >> 14, plus 128. The AVX2 variant is the same code built
// for AVX2, where a 32-bit multiply is one instruction.
#include "kernels/idct.h"

#include <cstring>

#include "kernels/dispatch.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace {

constexpr uint32_t W1 = 2841, W2 = 2676, W3 = 2408, W5 = 1609, W6 = 1108, W7 = 565;

// Arithmetic shift right of values kept as unsigned words.
[[gnu::always_inline]] inline uint32_t shiftRight(uint32_t x, int n) { return uint32_t(int32_t(x) >> n); }

#if defined(__x86_64__)
using Lanes = uint32_t __attribute__((vector_size(16)));
using SignedLanes = int32_t __attribute__((vector_size(16)));
constexpr int kLanes = 4;

[[gnu::always_inline]] inline Lanes shiftRight(Lanes x, int n) { return Lanes(SignedLanes(x) >> n); }
#endif

// One row in place.
[[gnu::always_inline]] inline void rowPass(uint32_t *row) {
    if (!(row[1] | row[2] | row[3] | row[4] | row[5] | row[6] | row[7])) {
        const uint32_t value = row[0] * 8;
        for (int i = 0; i < 8; ++i) row[i] = value;
        return;
    }
    uint32_t x0 = row[0] * 2048 + 128, x1 = row[4] * 2048, x2 = row[6], x3 = row[2];
    uint32_t x4 = row[1], x5 = row[7], x6 = row[5], x7 = row[3];
    uint32_t x8 = W7 * (x4 + x5);
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
    x2 = shiftRight(181 * (x4 + x5) + 128, 8);
    x4 = shiftRight(181 * (x4 - x5) + 128, 8);
    row[0] = shiftRight(x7 + x1, 8);
    row[1] = shiftRight(x3 + x2, 8);
    row[2] = shiftRight(x0 + x4, 8);
    row[3] = shiftRight(x8 + x6, 8);
    row[4] = shiftRight(x8 - x6, 8);
    row[5] = shiftRight(x0 - x4, 8);
    row[6] = shiftRight(x3 - x2, 8);
    row[7] = shiftRight(x7 - x1, 8);
}

// The column pass on in[0..7] (the eight rows of one or more columns); results
// are (value >> 14) + 128, still to be clamped.
template <class V>
[[gnu::always_inline]] inline void columnPass(const V in[8], V out[8]) {
    V x0 = in[0] * 256 + 8192, x1 = in[4] * 256, x2 = in[6], x3 = in[2];
    V x4 = in[1], x5 = in[7], x6 = in[5], x7 = in[3];
    V x8 = W7 * (x4 + x5) + 4;
    x4 = shiftRight(x8 + (W1 - W7) * x4, 3);
    x5 = shiftRight(x8 - (W1 + W7) * x5, 3);
    x8 = W3 * (x6 + x7) + 4;
    x6 = shiftRight(x8 - (W3 - W5) * x6, 3);
    x7 = shiftRight(x8 - (W3 + W5) * x7, 3);
    x8 = x0 + x1;
    x0 -= x1;
    x1 = W6 * (x3 + x2) + 4;
    x2 = shiftRight(x1 - (W2 + W6) * x2, 3);
    x3 = shiftRight(x1 + (W2 - W6) * x3, 3);
    x1 = x4 + x6;
    x4 -= x6;
    x6 = x5 + x7;
    x5 -= x7;
    x7 = x8 + x3;
    x8 -= x3;
    x3 = x0 + x2;
    x0 -= x2;
    x2 = shiftRight(181 * (x4 + x5) + 128, 8);
    x4 = shiftRight(181 * (x4 - x5) + 128, 8);
    out[0] = shiftRight(x7 + x1, 14) + 128;
    out[1] = shiftRight(x3 + x2, 14) + 128;
    out[2] = shiftRight(x0 + x4, 14) + 128;
    out[3] = shiftRight(x8 + x6, 14) + 128;
    out[4] = shiftRight(x8 - x6, 14) + 128;
    out[5] = shiftRight(x0 - x4, 14) + 128;
    out[6] = shiftRight(x3 - x2, 14) + 128;
    out[7] = shiftRight(x7 - x1, 14) + 128;
}

[[gnu::always_inline]] inline uint8_t clampSample(uint32_t value) {
    const int32_t v = int32_t(value);
    return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Signed and unsigned words may alias, so the block is worked on in place.
[[gnu::always_inline]] inline uint32_t *rowPasses(int32_t coefficients[64], int usedRows) {
    uint32_t *rows = reinterpret_cast<uint32_t *>(coefficients);
    for (int r = 0; r < usedRows; ++r) rowPass(rows + r * 8);
    return rows;
}

#if defined(__x86_64__)
// Eight samples of one row from its left and right four columns. Saturating to
// 16 bits, then to 0..255, is clampSample on every lane.
[[gnu::always_inline]] inline void storeSamples(Lanes left, Lanes right, uint8_t *out) {
    const __m128i words = _mm_packs_epi32(__m128i(left), __m128i(right));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(words, words));
}

// Both halves of the block; rows kRows to 7 are known to be zero, which the
// compiler folds into a shorter column pass.
template <int kRows>
[[gnu::always_inline]] inline void columnPasses(uint32_t *rows, uint8_t *out, ptrdiff_t stride) {
    Lanes left[8] = {}, right[8] = {}, leftSamples[8], rightSamples[8];
    for (int r = 0; r < kRows; ++r) {
        std::memcpy(&left[r], rows + r * 8, sizeof(Lanes));
        std::memcpy(&right[r], rows + r * 8 + kLanes, sizeof(Lanes));
    }
    std::memset(rows, 0, kRows * 8 * sizeof(uint32_t));
    columnPass(left, leftSamples);
    columnPass(right, rightSamples);
    for (int r = 0; r < 8; ++r) storeSamples(leftSamples[r], rightSamples[r], out + r * stride);
}

// The block in lanes; the variants below build it for their level.
[[gnu::always_inline]] inline void inverseDctInLanes(int32_t coefficients[64], int usedRows, uint8_t *out,
                                                     ptrdiff_t stride) {
    uint32_t *rows = rowPasses(coefficients, usedRows);
    if (usedRows == 1) {
        uint8_t flat[8];
        for (int c = 0; c < 8; ++c) flat[c] = clampSample(shiftRight(rows[c] * 256 + 8192, 14) + 128);
        for (int r = 0; r < 8; ++r) std::memcpy(out + r * stride, flat, 8);
        std::memset(rows, 0, 8 * sizeof(uint32_t));
        return;
    }
    if (usedRows == 2)
        columnPasses<2>(rows, out, stride);
    else if (usedRows <= 4)
        columnPasses<4>(rows, out, stride);
    else
        columnPasses<8>(rows, out, stride);
}
#endif

}  // namespace

namespace plain {

// Every row and every column, one column at a time; usedRows only promises zeros.
void inverseDct(int32_t coefficients[64], int, uint8_t *out, ptrdiff_t stride) {
    const uint32_t *rows = rowPasses(coefficients, 8);
    for (int c = 0; c < 8; ++c) {
        uint32_t in[8], result[8];
        for (int r = 0; r < 8; ++r) in[r] = rows[r * 8 + c];
        columnPass(in, result);
        for (int r = 0; r < 8; ++r) out[r * stride + c] = clampSample(result[r]);
    }
    std::memset(coefficients, 0, 64 * sizeof(int32_t));
}

}  // namespace plain

#if defined(__x86_64__)
namespace sse2 {
void inverseDct(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride) {
    inverseDctInLanes(coefficients, usedRows, out, stride);
}
}  // namespace sse2

namespace avx2 {
ZORBLIT_AVX2 void inverseDct(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride) {
    inverseDctInLanes(coefficients, usedRows, out, stride);
}
}  // namespace avx2
#endif

using InverseDctKernel = ZORBLIT_KERNEL(plain::inverseDct, sse2::inverseDct, avx2::inverseDct);

void inverseDct(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride) {
    InverseDctKernel::call(coefficients, usedRows, out, stride);
}
InverseDctFn inverseDctVariant(Level level) { return InverseDctKernel::pick(level); }

}  // namespace zorblit::kernels
