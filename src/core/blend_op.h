// The operators a blend run applies: dest[i] = op(a[i], b[i]).
#pragma once

namespace zorblit {

// The packed form's operators: Average, SaturatedAdd, SaturatedSub, Alpha,
// AlphaValue, and AlphaSkippingTransparent, which is Alpha that leaves b alone
// where a's alpha is 0 (the packed alpha sprite rule). The portable form's:
// the Opaque ones (alpha 255; its average rounds each half down) and
// AlphaValueAllBytes (alpha mixed too). Invert flips every byte of a and
// ignores b, in both forms.
enum class BlendOp {
    Average,
    SaturatedAdd,
    SaturatedSub,
    Alpha,
    AlphaSkippingTransparent,
    AlphaValue,
    Invert,
    OpaqueAverageDown,
    OpaqueSaturatedAdd,
    OpaqueSaturatedSub,
    OpaqueAlpha,
    AlphaValueAllBytes,
};

}  // namespace zorblit
