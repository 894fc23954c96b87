// Scaled sprites: a whole source drawn stretched or shrunk into a rectangle of the
// destination by nearest-neighbour sampling, in the seven sprite modes. One walk
// for every mode and both forms; the forms differ in the rectangle rule, the
// rounding of samples, the destination limit and the packed alpha blend.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "blit/sprite_modes.h"
#include "kernels/column_fetch.h"
#include "transform/dest_area.h"
#include "transform/rounding.h"

namespace zorblit {

// The packed form's alpha blend for scaled sprites: each of the four bytes is
// (s * w + d * (256 - w)) >> 8 with w = k + (k >> 7), so k = 255 gives s exactly.
// The largest lane sum, 255 * 256, fits in 16 bits.
constexpr uint32_t scaledAlphaBlend(uint32_t s, uint32_t d, uint32_t k) {
    const uint64_t w = k + (k >> 7);
    return swar::narrow((swar::widen(s) * w + swar::widen(d) * (256 - w)) >> 8 & 0x00FF00FF00FF00FFull);
}

// The sprite action of a mode, with the packed form's alpha modes blending as above.
template <class Form, SpriteMode Mode>
struct ScaleAction : SpriteAction<Form, Mode> {
    // The portable form puts copy and colour-key pixels through the clip-rectangle
    // writer; its blending modes test only the destination's bounds.
    static constexpr bool obeysClipRectangle =
        !Form::packed && (Mode == SpriteMode::Copy || Mode == SpriteMode::ColourKey);

    void operator()(uint32_t s, uint32_t &d) const {
        if constexpr (Form::packed && Mode == SpriteMode::Alpha) {
            if (s >> 24) d = scaledAlphaBlend(s, d, s >> 24);
        } else if constexpr (Form::packed && Mode == SpriteMode::AlphaValue) {
            d = scaledAlphaBlend(s, d, this->parameter);
        } else {
            SpriteAction<Form, Mode>::operator()(s, d);
        }
    }
};

struct ScaleRectangle {
    int64_t left, top, width, height;
};

// Corners are ordered per axis and the second is exclusive. The packed form
// draws the source at its own size for (x2, y2) = (0, 0) and keeps the source's
// size on an axis whose extent is 0; the portable form leaves a 0 extent as is.
template <class Form>
ScaleRectangle scaleRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const GFXimage &source) {
    if (Form::packed && x2 == 0 && y2 == 0) return {x1, y1, source.width, source.height};
    ScaleRectangle rect{std::min(x1, x2), std::min(y1, y2), std::abs(int64_t(x2) - x1), std::abs(int64_t(y2) - y1)};
    if constexpr (Form::packed) {
        if (rect.width == 0) rect.width = source.width;
        if (rect.height == 0) rect.height = source.height;
    }
    return rect;
}

// Source pixels per destination pixel: divided in single precision in the packed
// form, in double in the portable form; held as a float in both.
template <class Form>
float scaleStep(uint32_t sourceSize, int64_t targetSize) {
    if constexpr (Form::packed) return float(sourceSize) / float(targetSize);
    return float(double(sourceSize) / double(targetSize));
}

// The source column (row) at walk position f >= 0: the packed form truncates, the
// portable form rounds to nearest, ties to even. A sample past the source's last
// pixel is held there (rounding reaches the source size when scaling up 2x).
template <class Form>
uint32_t sampleIndex(float f, uint32_t size) {
    const int64_t index = Form::packed ? int64_t(f) : roundToNearest(f);
    return uint32_t(std::min<int64_t>(index, int64_t(size) - 1));
}

// The samples of steps first..last (inclusive) of a walk that starts at 0 and adds
// `step` once per step, so each carries the rounding of the additions before it.
// Once an addition leaves the position unchanged, every later sample is the same,
// which bounds the loop for huge rectangles.
template <class Form>
std::vector<uint32_t> sampleIndices(float step, Span steps, uint32_t size) {
    std::vector<uint32_t> samples(size_t(steps.last - steps.first + 1));
    size_t filled = 0;
    float position = 0;
    for (int64_t i = 0; i <= steps.last; ++i) {
        if (i >= steps.first) samples[filled++] = sampleIndex<Form>(position, size);
        const float next = position + step;
        if (next == position) break;
        position = next;
    }
    std::fill(samples.begin() + ptrdiff_t(filled), samples.end(), sampleIndex<Form>(position, size));
    return samples;
}

// The packed form walks a rectangle of the source's own size one to one.
inline std::vector<uint32_t> identityIndices(Span steps) {
    std::vector<uint32_t> samples(size_t(steps.last - steps.first + 1));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = uint32_t(steps.first + int64_t(i));
    return samples;
}

// Non-empty, with sizes that read as positive signed 32-bit values.
inline bool drawable(const GFXimage &image) {
    return image.data && int32_t(image.width) > 0 && int32_t(image.height) > 0;
}

// Destination pixel (left + c, top + r) of the rectangle takes source pixel
// (column sample c, row sample r); only pixels inside the destination's limit
// are visited, so no sample is computed for the parts outside.
template <class Form, SpriteMode Mode>
void scale(GFXimage dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2, GFXimage source, uint32_t parameter = 0) {
    using Action = ScaleAction<Form, Mode>;
    const Action action{{parameter}};
    if (action.drawsNothing() || !drawable(source) || !drawable(dest)) return;

    const ScaleRectangle rect = scaleRectangle<Form>(x1, y1, x2, y2, source);
    if (rect.width == 0 || rect.height == 0) {
        // Portable form only: copy mode moves the source's pixels to the start of
        // the destination's block, cut to the destination's pixel count.
        if constexpr (Mode == SpriteMode::Copy)
            Form::move(source.data, dest.data, std::min(pixelCount(source), pixelCount(dest)));
        return;
    }

    const Area area = writableArea(dest, Action::obeysClipRectangle);
    const Span columns = spanInside(0, rect.width - 1, rect.left, area.left, area.right);
    const Span rows = spanInside(0, rect.height - 1, rect.top, area.top, area.bottom);
    if (columns.empty() || rows.empty()) return;

    const bool oneToOne = Form::packed && rect.width == source.width && rect.height == source.height;
    const auto sourceColumns = oneToOne ? identityIndices(columns)
                                        : sampleIndices<Form>(scaleStep<Form>(source.width, rect.width), columns,
                                                              source.width);
    const auto sourceRows = oneToOne ? identityIndices(rows)
                                     : sampleIndices<Form>(scaleStep<Form>(source.height, rect.height), rows,
                                                           source.height);
    // Copy mode moves whole rows where it can, unless drawing may change the
    // source: samples never decrease, so a first-to-last distance of count - 1
    // means consecutive columns, moved as one block; a row that samples the
    // same source row as the row above is a copy of that row; other rows go
    // through the column-fetch kernel.
    const size_t count = sourceColumns.size();
    const bool blockMoves = Mode == SpriteMode::Copy && !overlaps(source, dest);
    const bool consecutive = sourceColumns.back() - sourceColumns.front() == count - 1;

    for (size_t r = 0; r < sourceRows.size(); ++r) {
        const uint32_t *sourceRow = pixelAddress(source, 0, sourceRows[r]);
        uint32_t *destRow = pixelAddress(dest, rect.left + columns.first, rect.top + rows.first + int64_t(r));
        if (blockMoves && r > 0 && sourceRows[r] == sourceRows[r - 1]) {
            Form::move(destRow - dest.width, destRow, count);
            continue;
        }
        if (blockMoves && consecutive) {
            Form::move(sourceRow + sourceColumns.front(), destRow, count);
            continue;
        }
        if (blockMoves)
            kernels::fetchColumns(destRow, sourceRow, source.width, sourceColumns.data(), count);
        else
            for (size_t c = 0; c < count; ++c) action(sourceRow[sourceColumns[c]], destRow[c]);
    }
}

}  // namespace zorblit
