// The operators a blend run applies: dest[i] = op(a[i], b[i]).
#pragma once

namespace zorblit {

// AlphaSkippingTransparent is Alpha that leaves b alone where a's alpha is 0
// (the packed alpha sprite rule). Invert flips every byte of a and ignores b.
enum class BlendOp { Average, SaturatedAdd, SaturatedSub, Alpha, AlphaSkippingTransparent, AlphaValue, Invert };

}  // namespace zorblit
