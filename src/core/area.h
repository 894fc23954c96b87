// Where a routine may write: a half-open rectangle of pixel positions. Every
// routine that writes pixels works out its area first (the image, narrowed to the
// clip rectangle where its form's rule says so) and visits only positions inside
// it, so no coordinates, however far off, take a write outside the image.
// Coordinates are 64-bit, so positions computed from 32-bit coordinates and
// sizes up to 2^32 compare without wrapping.
#pragma once
#include <algorithm>
#include <cstdint>

#include "zorblit.h"

namespace zorblit {

// Positions first <= p < end along one axis; empty when first >= end.
struct Span {
    int64_t first, end;

    bool empty() const { return first >= end; }
    int64_t size() const { return end - first; }
};

// Positions x0 <= x < x1, y0 <= y < y1.
struct Area {
    int64_t x0, y0, x1, y1;

    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool contains(int64_t x, int64_t y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
    Span columns() const { return {x0, x1}; }
    Span rows() const { return {y0, y1}; }
    // The same positions seen from an origin at (x, y).
    Area from(int64_t x, int64_t y) const { return {x0 - x, y0 - y, x1 - x, y1 - y}; }
};

inline Area intersect(const Area &a, const Area &b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// The image's pixels; empty for an image without a pixel block.
inline Area imageArea(const GFXimage &image) {
    if (!image.data) return {0, 0, 0, 0};
    return {0, 0, image.width, image.height};
}

inline Area clipRectangleArea() { return {clipX1, clipY1, clipX2, clipY2}; }

// Where a routine may write in image: the image, and inside the clip rectangle
// too where the routine obeys it (the form's obeysClipRectangle rule). Always
// inside the image, whatever the clip rectangle says.
inline Area writeArea(const GFXimage &image, bool obeysClipRectangle) {
    const Area whole = imageArea(image);
    return obeysClipRectangle ? intersect(whole, clipRectangleArea()) : whole;
}

}  // namespace zorblit
