// Inversion and the pixel-by-pixel combinations of whole images, as templates on
// the form. The packed form runs over dest's width x height pixels as one linear
// run of the core's packed operator; the portable form walks a's rows and columns
// with the form's own operators.
#pragma once
#include "core/form.h"
#include "effects/pixel_walks.h"

namespace zorblit {

// The combinations: the form's pixel operator and the packed run's operator.
struct AverageCombination {
    static constexpr BlendOp op = BlendOp::Average;
    template <class Form>
    static uint32_t pixel(uint32_t a, uint32_t b) { return Form::average(a, b); }
};
struct AddCombination {
    static constexpr BlendOp op = BlendOp::SaturatedAdd;
    template <class Form>
    static uint32_t pixel(uint32_t a, uint32_t b) { return Form::saturatedAdd(a, b); }
};
struct SubCombination {
    static constexpr BlendOp op = BlendOp::SaturatedSub;
    template <class Form>
    static uint32_t pixel(uint32_t a, uint32_t b) { return Form::saturatedSub(a, b); }
};
// Every byte, alpha included, becomes 255 minus itself: the same in both forms.
struct InvertCombination {
    static constexpr BlendOp op = BlendOp::Invert;
    template <class Form>
    static uint32_t pixel(uint32_t a, uint32_t) { return ~a; }
};

template <class Form, class Combination>
void combineImages(const GFXimage &dest, const GFXimage &a, const GFXimage &b) {
    if constexpr (Form::packed)
        Packed::blendRun<Combination::op>(dest.data, a.data, b.data, pixelCount(dest));
    else
        rowWalk(dest, a, b, Combination::template pixel<Form>);
}

template <class Form>
void invertImage(const GFXimage &image) {
    combineImages<Form, InvertCombination>(image, image, image);
}

// dest(x, y) = AlphaValue(a(x, y), b(x, y), value) over a's extent, in both forms.
template <class Form>
void alphaImage(const GFXimage &dest, const GFXimage &a, const GFXimage &b, uint8_t value) {
    rowWalk(dest, a, b, [value](uint32_t s, uint32_t d) { return Form::alphaValue(s, d, value); });
}

}  // namespace zorblit
