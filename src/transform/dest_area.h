// The destination pixels a transform may write: the image's bounds, narrowed to
// the clip rectangle where a routine obeys it; and whether two images share memory.
#pragma once
#include <algorithm>
#include <cstdint>

#include "core/image_math.h"

namespace zorblit {

// Half-open: left <= x < right, top <= y < bottom.
struct Area {
    int64_t left, top, right, bottom;
};

inline Area writableArea(const GFXimage &dest, bool obeysClipRectangle) {
    Area area{0, 0, int64_t(dest.width), int64_t(dest.height)};
    if (obeysClipRectangle) {
        area.left = std::max<int64_t>(area.left, clipX1);
        area.top = std::max<int64_t>(area.top, clipY1);
        area.right = std::min<int64_t>(area.right, clipX2);
        area.bottom = std::min<int64_t>(area.bottom, clipY2);
    }
    return area;
}

// The part first..last (inclusive) of offsets whose position origin + offset
// lies in [low, high); empty when first > last.
struct Span {
    int64_t first, last;
    bool empty() const { return first > last; }
};

inline Span spanInside(int64_t first, int64_t last, int64_t origin, int64_t low, int64_t high) {
    return {std::max(first, low - origin), std::min(last, high - 1 - origin)};
}

// Whether the pixel blocks of two images share memory; a walk that reads pixels
// it may already have written must keep its order then.
inline bool overlaps(const GFXimage &a, const GFXimage &b) {
    const auto start = [](const GFXimage &image) { return reinterpret_cast<uintptr_t>(image.data); };
    const auto end = [&](const GFXimage &image) { return start(image) + pixelCount(image) * sizeof(uint32_t); };
    return start(a) < end(b) && start(b) < end(a);
}

}  // namespace zorblit
