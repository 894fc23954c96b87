// The words of the forms' rules: what their rule members take and return. Each
// form's rules themselves are in its own file (form_portable.h, form_packed.h).
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zorblit {

// The clipped routines, grouped by how the forms limit their writes: each form's
// obeysClipRectangle says which keep to the clip rectangle as well as the image.
enum class ClippedWrite {
    Pixel,         // putPixelClip and what is drawn from pixels: lines, circle outlines, text
    Run,           // horizontal lines and bars, and so filled circles and triangles
    Column,        // vertical lines
    ImageBlit,     // the clipped image blit (copy mode)
    SpriteBlit,    // the clipped sprite blits: colour key and the blends
    ScaledPixel,   // scaled images and colour-keyed sprites
    ScaledBlend,   // scaled sprites that blend
    RotatedPixel,  // rotated images and sprites, every mode
};

// How the whole-image combinations (inversion, average, saturated sums) walk.
enum class CombinationWalk {
    OneRun,   // dest's width x height pixels as one run from each image's first pixel
    RowsOfA,  // a's rows, each image addressed with its own width
};

// The in-place blur.
enum class BlurKind {
    FourNeighbours,  // along the pixel run, each byte the mean of left, right, up and down
    Box3x3,          // each byte the mean of the 3x3 block around it
};

// The grey sine plasma's evaluation.
enum class PlasmaKind {
    RotatedFloat,  // sines rotated step by step in float, the level clamped to 0..255
    DirectDouble,  // every sine evaluated in double, the level taken modulo 256
};

// Sine and cosine of a rotation's angle + 90 degrees: the turn that maps a
// destination pixel back into the source.
struct InverseTurn {
    float sine, cosine;
};

// The destination rectangle a scaled sprite fills: left, top and its extents.
struct ScaleRectangle {
    int64_t left, top, width, height;
};

// Corners ordered per axis, the second exclusive.
inline ScaleRectangle betweenCorners(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::abs(int64_t(x2) - x1), std::abs(int64_t(y2) - y1)};
}

}  // namespace zorblit
