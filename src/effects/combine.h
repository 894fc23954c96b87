// Inversion and the pixel-by-pixel combinations of whole images, as templates on
// the form, walked by the form's combinationWalk rule: dest's width x height
// pixels as one linear run of the form's operator, or the operator along a's rows.
#pragma once
#include "core/form.h"
#include "effects/pixel_walks.h"
#include "kernels/blend_run.h"

namespace zorblit {

// The combinations, by the packed operator each applies (the portable form runs
// its own operator of the same name).
struct AverageCombination {
    static constexpr BlendOp op = BlendOp::Average;
};
struct AddCombination {
    static constexpr BlendOp op = BlendOp::SaturatedAdd;
};
struct SubCombination {
    static constexpr BlendOp op = BlendOp::SaturatedSub;
};
// Every byte, alpha included, becomes 255 minus itself: the same in both forms.
struct InvertCombination {
    static constexpr BlendOp op = BlendOp::Invert;
};

template <class Form, class Combination>
void combineImages(const GFXimage &dest, const GFXimage &a, const GFXimage &b) {
    if (!hasPixels(dest) || !hasPixels(a) || !hasPixels(b)) return;
    if constexpr (Form::combinationWalk == CombinationWalk::OneRun)
        kernels::blendRun<Form::runOperator(Combination::op)>(dest.data, a.data, b.data, pixelCount(dest));
    else
        rowRuns<Form, Combination::op>(dest, a, b);
}

template <class Form>
void invertImage(const GFXimage &image) {
    combineImages<Form, InvertCombination>(image, image, image);
}

// dest(x, y) = AlphaValue(a(x, y), b(x, y), value) over a's extent, in both forms.
template <class Form>
void alphaImage(const GFXimage &dest, const GFXimage &a, const GFXimage &b, uint8_t value) {
    rowRuns<Form, BlendOp::AlphaValue>(dest, a, b, value);
}

}  // namespace zorblit
