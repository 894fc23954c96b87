// Inversion and the pixel-by-pixel combinations of whole images, as templates on
// the form. The packed form runs over dest's width x height pixels as one linear
// run, eight or sixteen bytes per step; the portable form walks a's rows and
// columns with the form's own operators.
#pragma once
#include "core/form.h"
#include "effects/pixel_walks.h"

namespace zorblit {

// The combinations: the form's pixel operator and, for the packed run, the same
// per-byte arithmetic on a pair of pixels and (with SSE2) on four.
struct AverageCombination {
    template <class Form>
    static uint32_t pixel(uint32_t a, uint32_t b) { return Form::average(a, b); }
    static uint64_t pair(uint64_t a, uint64_t b) { return swar::averageUp(a, b); }
#if defined(__SSE2__)
    static __m128i quad(__m128i a, __m128i b) { return _mm_avg_epu8(a, b); }
#endif
};
struct AddCombination {
    template <class Form>
    static uint32_t pixel(uint32_t a, uint32_t b) { return Form::saturatedAdd(a, b); }
    static uint64_t pair(uint64_t a, uint64_t b) { return swar::addSaturated(a, b); }
#if defined(__SSE2__)
    static __m128i quad(__m128i a, __m128i b) { return _mm_adds_epu8(a, b); }
#endif
};
struct SubCombination {
    template <class Form>
    static uint32_t pixel(uint32_t a, uint32_t b) { return Form::saturatedSub(a, b); }
    static uint64_t pair(uint64_t a, uint64_t b) { return swar::subSaturated(a, b); }
#if defined(__SSE2__)
    static __m128i quad(__m128i a, __m128i b) { return _mm_subs_epu8(a, b); }
#endif
};
// Every byte, alpha included, becomes 255 minus itself: the same in both forms.
struct InvertCombination {
    template <class Form>
    static uint32_t pixel(uint32_t a, uint32_t) { return ~a; }
    static uint64_t pair(uint64_t a, uint64_t) { return ~a; }
#if defined(__SSE2__)
    static __m128i quad(__m128i a, __m128i) { return _mm_xor_si128(a, _mm_set1_epi32(-1)); }
#endif
};

template <class Form, class Combination>
void combineImages(const GFXimage &dest, const GFXimage &a, const GFXimage &b) {
    if constexpr (Form::packed)
        linearRun<Combination>(dest.data, a.data, b.data, pixelCount(dest));
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
