// Scaled sprites: a whole source drawn stretched or shrunk into a rectangle of the
// destination by nearest-neighbour sampling, in the seven sprite modes. One walk
// for every mode and both forms; the forms' rules give the rectangle, the step,
// the rounding of samples, the destination limit and the alpha blends.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "blit/sprite_modes.h"
#include "core/area.h"
#include "kernels/column_fetch.h"

namespace zorblit {

// The sprite action of a mode, with the form's rules for scaled sprites: which
// modes keep to the clip rectangle, and how the alpha modes blend.
template <class Form, SpriteMode Mode>
struct ScaleAction : SpriteAction<Form, Mode> {
    static constexpr bool obeysClipRectangle = Form::obeysClipRectangle(
        Mode == SpriteMode::Copy || Mode == SpriteMode::ColourKey ? ClippedWrite::ScaledPixel : ClippedWrite::ScaledBlend);

    void operator()(uint32_t s, uint32_t &d) const {
        if constexpr (Mode == SpriteMode::Alpha)
            d = Form::scaledAlpha(s, d);
        else if constexpr (Mode == SpriteMode::AlphaValue)
            d = Form::scaledAlphaValue(s, d, uint8_t(this->parameter));
        else
            SpriteAction<Form, Mode>::operator()(s, d);
    }
};

// The source column (row) at walk position f >= 0, by the form's rounding. A
// sample past the source's last pixel is held there (rounding reaches the source
// size when scaling up 2x).
template <class Form>
uint32_t sampleIndex(float f, uint32_t size) {
    return uint32_t(std::min<int64_t>(Form::scaleSample(f), int64_t(size) - 1));
}

// The samples of steps steps.first..steps.end - 1 of a walk that starts at 0 and
// adds `step` once per step, so each carries the rounding of the additions before
// it. Once an addition leaves the position unchanged, every later sample is the
// same, which bounds the loop for huge rectangles.
template <class Form>
std::vector<uint32_t> sampleIndices(float step, Span steps, uint32_t size) {
    std::vector<uint32_t> samples(size_t(steps.size()));
    size_t filled = 0;
    float position = 0;
    for (int64_t i = 0; i < steps.end; ++i) {
        if (i >= steps.first) samples[filled++] = sampleIndex<Form>(position, size);
        const float next = position + step;
        if (next == position) break;
        position = next;
    }
    std::fill(samples.begin() + ptrdiff_t(filled), samples.end(), sampleIndex<Form>(position, size));
    return samples;
}

// Every source pixel once, in order (a rectangle of the source's own size where
// the form's rule says so).
inline std::vector<uint32_t> identityIndices(Span steps) {
    std::vector<uint32_t> samples(size_t(steps.size()));
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

    const ScaleRectangle rect = Form::scaleRectangle(x1, y1, x2, y2, source);
    if (rect.width == 0 || rect.height == 0) {
        // Kept by the portable form's rule: copy mode moves the source's pixels to
        // the start of the destination's block, cut to the destination's pixel count.
        if constexpr (Mode == SpriteMode::Copy)
            Form::move(source.data, dest.data, std::min(pixelCount(source), pixelCount(dest)));
        return;
    }

    // The steps of the rectangle that land in the write area.
    const Area limit = writeArea(dest, Action::obeysClipRectangle).from(rect.left, rect.top);
    const Area steps = intersect({0, 0, rect.width, rect.height}, limit);
    if (steps.empty()) return;
    const Span columns = steps.columns(), rows = steps.rows();

    const bool oneToOne =
        Form::scalesOwnSizeOneToOne && rect.width == source.width && rect.height == source.height;
    const auto sourceColumns = oneToOne ? identityIndices(columns)
                                        : sampleIndices<Form>(Form::scaleStep(source.width, rect.width), columns,
                                                              source.width);
    const auto sourceRows = oneToOne ? identityIndices(rows)
                                     : sampleIndices<Form>(Form::scaleStep(source.height, rect.height), rows,
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
