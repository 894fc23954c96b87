// Runs of the packed form's blend operators and of the colour key. dest may be
// a or b (an in-place blend is dest == b); each element is read before it is
// written.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kernels/blend_op.h"
#include "kernels/level.h"

namespace zorblit::kernels {

using BlendRunFn = void (*)(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value);
using KeyRunFn = void (*)(uint32_t *dest, const uint32_t *source, size_t count, uint32_t key);

// dest[i] = op(a[i], b[i]) with the one-pixel operator of the form Op belongs
// to; value is the AlphaValue weight.
template <BlendOp Op>
void blendRun(uint32_t *dest, const uint32_t *a, const uint32_t *b, size_t count, uint8_t value = 0);

// dest[i] = source[i] wherever source[i] != key.
void keyRun(uint32_t *dest, const uint32_t *source, size_t count, uint32_t key);

// The variants of one level, for tests and benchmarks.
template <BlendOp Op>
BlendRunFn blendRunVariant(Level level);
KeyRunFn keyRunVariant(Level level);

}  // namespace zorblit::kernels
