// The seven sprite modes as per-pixel actions, shared by every walk that puts a
// source pixel s onto a destination pixel d: blits, scaled and rotated sprites.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/form.h"
#include "kernels/blend_run.h"

namespace zorblit {

enum class SpriteMode { Copy, ColourKey, Alpha, AlphaValue, Average, SaturatedAdd, SaturatedSub };

// One mode in one form. `parameter` is the key colour or the alpha weight.
template <class Form, SpriteMode Mode>
struct SpriteAction {
    uint32_t parameter = 0;

    // The packed form's alpha-value mode with weight 0 draws nothing at all.
    bool drawsNothing() const { return Form::packed && Mode == SpriteMode::AlphaValue && uint8_t(parameter) == 0; }

    // The portable form writes every mode but copy through the clip-rectangle
    // pixel writer, so those modes also stay inside the clip rectangle.
    static constexpr bool obeysClipRectangle = !Form::packed && Mode != SpriteMode::Copy;

    void operator()(uint32_t s, uint32_t &d) const {
        if constexpr (Mode == SpriteMode::Copy) {
            d = s;
        } else if constexpr (Mode == SpriteMode::ColourKey) {
            if (s != parameter) d = s;
        } else if constexpr (Mode == SpriteMode::Alpha) {
            // The packed form leaves fully transparent source pixels alone.
            if (!Form::packed || s >> 24) d = Form::alpha(s, d);
        } else if constexpr (Mode == SpriteMode::AlphaValue) {
            d = Form::alphaValue(s, d, uint8_t(parameter));
        } else if constexpr (Mode == SpriteMode::Average) {
            d = Form::average(s, d);
        } else if constexpr (Mode == SpriteMode::SaturatedAdd) {
            d = Form::saturatedAdd(s, d);
        } else {
            d = Form::saturatedSub(s, d);
        }
    }

    // A run of count pixels, through the run kernels.
    void run(const uint32_t *source, uint32_t *dest, size_t count) const {
        if constexpr (Mode == SpriteMode::Copy)
            kernels::copyRun(dest, source, count);
        else if constexpr (Mode == SpriteMode::ColourKey)
            kernels::keyRun(dest, source, count, parameter);
        else
            Form::template blendRun<blendOp()>(dest, source, dest, count, uint8_t(parameter));
    }

private:
    static constexpr BlendOp blendOp() {
        switch (Mode) {
            case SpriteMode::Alpha: return Form::packed ? BlendOp::AlphaSkippingTransparent : BlendOp::Alpha;
            case SpriteMode::AlphaValue: return BlendOp::AlphaValue;
            case SpriteMode::Average: return BlendOp::Average;
            case SpriteMode::SaturatedAdd: return BlendOp::SaturatedAdd;
            default: return BlendOp::SaturatedSub;
        }
    }
};

// Calls visit(action) with the action of `mode` in `Form`; for code that picks
// the mode at run time (tests, tools).
template <class Form, class Visitor>
void withSpriteAction(SpriteMode mode, uint32_t parameter, Visitor &&visit) {
    switch (mode) {
        case SpriteMode::Copy: return visit(SpriteAction<Form, SpriteMode::Copy>{parameter});
        case SpriteMode::ColourKey: return visit(SpriteAction<Form, SpriteMode::ColourKey>{parameter});
        case SpriteMode::Alpha: return visit(SpriteAction<Form, SpriteMode::Alpha>{parameter});
        case SpriteMode::AlphaValue: return visit(SpriteAction<Form, SpriteMode::AlphaValue>{parameter});
        case SpriteMode::Average: return visit(SpriteAction<Form, SpriteMode::Average>{parameter});
        case SpriteMode::SaturatedAdd: return visit(SpriteAction<Form, SpriteMode::SaturatedAdd>{parameter});
        case SpriteMode::SaturatedSub: return visit(SpriteAction<Form, SpriteMode::SaturatedSub>{parameter});
    }
}

}  // namespace zorblit
