// Integer inverse DCT of one 8x8 block: each row first (scaled by 2^11), then each
// column, with the constants 2048 * sqrt(2) * cos(k * pi / 16) and 181 = 256 / sqrt(2).
// The arithmetic wraps modulo 2^32, so hostile coefficients give wrong samples and
// never undefined behaviour; for real pictures nothing comes near wrapping.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kernels/idct.h"

namespace zorblit::jpeg {

// coefficients: column by column, coefficients[column * 8 + row] (row = vertical
// frequency; jpeg::kZigzag places them); rows 'usedRows' to 7 must be zero and
// are skipped. They are all zero again afterwards, ready for the
// next block. out: 8 rows of 8 samples, stride bytes apart.
inline void inverseDct(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride) {
    kernels::inverseDct(coefficients, usedRows, out, stride);
}

// Every sample of a block whose only coefficient is dc, as every variant computes
// it: the row pass gives 8 * dc, the column pass (8 * dc * 256 + 8192) >> 14.
inline uint8_t dcOnlySample(int32_t dc) {
    const int32_t value = (int32_t(uint32_t(dc) * 2048u + 8192u) >> 14) + 128;
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

}  // namespace zorblit::jpeg
