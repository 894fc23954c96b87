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

    // An alpha value of 0 draws nothing where the form's rule says so.
    bool drawsNothing() const {
        return Form::zeroAlphaValueDrawsNothing && Mode == SpriteMode::AlphaValue && uint8_t(parameter) == 0;
    }

    // Whether a clipped blit in this mode keeps to the clip rectangle.
    static constexpr bool obeysClipRectangle =
        Form::obeysClipRectangle(Mode == SpriteMode::Copy ? ClippedWrite::ImageBlit : ClippedWrite::SpriteBlit);

    void operator()(uint32_t s, uint32_t &d) const {
        if constexpr (Mode == SpriteMode::Copy) {
            d = s;
        } else if constexpr (Mode == SpriteMode::ColourKey) {
            if (s != parameter) d = s;
        } else if constexpr (Mode == SpriteMode::Alpha) {
            d = Form::spriteAlpha(s, d);
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
            kernels::blendRun<Form::runOperator(blendOp())>(dest, source, dest, count, uint8_t(parameter));
    }

private:
    static constexpr BlendOp blendOp() {
        switch (Mode) {
            case SpriteMode::Alpha: return Form::spriteAlphaOp;
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
