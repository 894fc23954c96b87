// The JPEG decoder's integer inverse DCT of one 8x8 block (the transform is
// described in loaders/jpeg_idct.h).
#pragma once
#include <cstddef>
#include <cstdint>

#include "kernels/level.h"

namespace zorblit::kernels {

using InverseDctFn = void (*)(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride);

// coefficients: column by column, coefficients[column * 8 + row] (row = vertical
// frequency), which lets the wide variants load each column's eight rows as one
// vector; rows usedRows to 7 are zero. They are all zero again afterwards.
// out: 8 rows of 8 samples, stride bytes apart.
void inverseDct(int32_t coefficients[64], int usedRows, uint8_t *out, ptrdiff_t stride);

InverseDctFn inverseDctVariant(Level level);

}  // namespace zorblit::kernels
