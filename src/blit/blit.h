// Blits: one walk over the visible rows of a sprite, with the mode's action per run.
#pragma once
#include <algorithm>

#include "blit/sprite_modes.h"

namespace zorblit {

// Source columns firstX..lastX and rows firstY..lastY (inclusive) to draw.
struct BlitRange {
    int64_t firstX, lastX, firstY, lastY;
    bool empty() const { return firstX > lastX || firstY > lastY; }
};

// The part of a w x h sprite at (x, y) that lies inside a W x H destination,
// in 64-bit arithmetic so x + w cannot wrap. A sprite that overlaps only the
// destination's first or last column or row is drawn there.
inline BlitRange visibleRange(const GFXimage &dest, int64_t x, int64_t y, const GFXimage &source) {
    return {std::max<int64_t>(0, -x), std::min<int64_t>(int64_t(source.width) - 1, int64_t(dest.width) - x - 1),
            std::max<int64_t>(0, -y), std::min<int64_t>(int64_t(source.height) - 1, int64_t(dest.height) - y - 1)};
}

// Narrows a range to the destination pixels inside the clip rectangle.
inline BlitRange insideClipRectangle(BlitRange range, int64_t x, int64_t y) {
    range.firstX = std::max<int64_t>(range.firstX, int64_t(clipX1) - x);
    range.lastX = std::min<int64_t>(range.lastX, int64_t(clipX2) - 1 - x);
    range.firstY = std::max<int64_t>(range.firstY, int64_t(clipY1) - y);
    range.lastY = std::min<int64_t>(range.lastY, int64_t(clipY2) - 1 - y);
    return range;
}

template <class Action>
void blitRows(const GFXimage &dest, int64_t x, int64_t y, const GFXimage &source, BlitRange range,
              const Action &action) {
    if (range.empty() || action.drawsNothing() || !hasPixels(dest) || !hasPixels(source)) return;
    const size_t count = size_t(range.lastX - range.firstX + 1);
    for (int64_t j = range.firstY; j <= range.lastY; ++j)
        action.run(pixelAddress(source, range.firstX, j), pixelAddress(dest, x + range.firstX, y + j), count);
}

// The sprite lies wholly inside the destination (the caller's promise).
template <class Form, SpriteMode Mode>
void blit(GFXimage dest, int32_t x, int32_t y, GFXimage source, uint32_t parameter = 0) {
    const BlitRange whole{0, int64_t(source.width) - 1, 0, int64_t(source.height) - 1};
    blitRows(dest, x, y, source, whole, SpriteAction<Form, Mode>{parameter});
}

// Any position: only the visible part is drawn.
template <class Action>
void blitClipWith(const GFXimage &dest, int32_t x, int32_t y, const GFXimage &source, const Action &action) {
    BlitRange range = visibleRange(dest, x, y, source);
    if constexpr (Action::obeysClipRectangle) range = insideClipRectangle(range, x, y);
    blitRows(dest, x, y, source, range, action);
}

template <class Form, SpriteMode Mode>
void blitClip(GFXimage dest, int32_t x, int32_t y, GFXimage source, uint32_t parameter = 0) {
    blitClipWith(dest, x, y, source, SpriteAction<Form, Mode>{parameter});
}

}  // namespace zorblit
