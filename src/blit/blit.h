// Blits: one walk over the visible rows of a sprite, with the mode's action per run.
#pragma once
#include "blit/sprite_modes.h"
#include "core/area.h"

namespace zorblit {

// Draws source pixels in range (source coordinates) of a sprite at (x, y).
template <class Action>
void blitRows(const GFXimage &dest, int64_t x, int64_t y, const GFXimage &source, const Area &range,
              const Action &action) {
    if (range.empty() || action.drawsNothing() || !hasPixels(dest) || !hasPixels(source)) return;
    const size_t count = size_t(range.x1 - range.x0);
    for (int64_t j = range.y0; j < range.y1; ++j)
        action.run(pixelAddress(source, range.x0, j), pixelAddress(dest, x + range.x0, y + j), count);
}

// The sprite lies wholly inside the destination (the caller's promise).
template <class Form, SpriteMode Mode>
void blit(GFXimage dest, int32_t x, int32_t y, GFXimage source, uint32_t parameter = 0) {
    blitRows(dest, x, y, source, imageArea(source), SpriteAction<Form, Mode>{parameter});
}

// Any position: only the part inside the destination's write area is drawn.
template <class Action>
void blitClipWith(const GFXimage &dest, int32_t x, int32_t y, const GFXimage &source, const Action &action) {
    const Area limit = writeArea(dest, Action::obeysClipRectangle).from(x, y);
    blitRows(dest, x, y, source, intersect(imageArea(source), limit), action);
}

template <class Form, SpriteMode Mode>
void blitClip(GFXimage dest, int32_t x, int32_t y, GFXimage source, uint32_t parameter = 0) {
    blitClipWith(dest, x, y, source, SpriteAction<Form, Mode>{parameter});
}

}  // namespace zorblit
