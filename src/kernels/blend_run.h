// Runs of the blend operators, of the colour key and of copies. A blend's dest
// may be a or b (an in-place blend is dest == b); each element is read before
// it is written.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/blend_op.h"
#include "kernels/level.h"

namespace zorblit::kernels {

using BlendRunFn = void (*)(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value);
using KeyRunFn = void (*)(uint32_t *dest, const uint32_t *source, size_t count, uint32_t key);
using CopyRunFn = void (*)(uint32_t *dest, const uint32_t *source, size_t count);

// dest[i] = op(a[i], b[i]) with the one-pixel operator of the form Op belongs
// to; value is the AlphaValue weight.
template <BlendOp Op>
void blendRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value = 0);

// dest[i] = source[i] wherever source[i] != key.
void keyRun(uint32_t *dest, const uint32_t *source, size_t count, uint32_t key);

// dest[i] = source[i]; the runs may overlap (then it is memmove). Separate
// runs are copied in registers: the C library's string copy, which it takes
// for rows of a few kilobytes, runs at half speed when dest lies a few bytes
// past source modulo 4 KB (its loads wait on its own stores to addresses
// that look alike in their low 12 bits).
void copyRun(uint32_t *dest, const uint32_t *source, size_t count);

// The variants of one level, for tests and benchmarks.
template <BlendOp Op>
BlendRunFn blendRunVariant(Level level);
KeyRunFn keyRunVariant(Level level);
CopyRunFn copyRunVariant(Level level);

}  // namespace zorblit::kernels
