// From the component planes to 32-bit pixels: subsampled components upsampled by
// replication (each sample covers a 2 x 2, 2 x 1, 4 x 1, ... square, which needs
// no neighbours, so planes of one or two samples work too), then converted.
//
// Four-component pictures hold inverted inks, as Adobe's programs write them
// (255: no ink), so each channel is the inverted ink scaled by the inverted
// black, rounded: R = C * K / 255, G = M * K / 255, B = Y * K / 255. YCCK holds
// 255 - C, 255 - M, 255 - Y coded like R, G, B in YCbCr, and K as is.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "kernels/ycc_row.h"
#include "kernels/jpeg_color.h"
#include "loaders/jpeg_decoder.h"

namespace zorblit {
namespace {

using jpeg::ColourModel;
using jpeg::kOpaque;

// out[x] = source[x >> shift]: each sample repeated 2^shift times across.
void widenRow(const uint8_t *source, int shift, uint8_t *out, uint32_t width) {
    if (shift == 1) {  // the common 2:1 case, a pair at a time
        const uint32_t pairs = width / 2;
        for (uint32_t i = 0; i < pairs; ++i) out[2 * i] = out[2 * i + 1] = source[i];
        if (width & 1) out[width - 1] = source[pairs];
        return;
    }
    for (uint32_t x = 0; x < width; ++x) out[x] = source[x >> shift];
}

// value * black / 255, rounded to nearest, for values and black of 0..255.
inline uint32_t scaleByBlack(uint32_t value, uint32_t black) {
    const uint32_t product = value * black + 128;
    return (product + (product >> 8)) >> 8;
}

inline uint32_t packPixel(uint32_t red, uint32_t green, uint32_t blue) { return kOpaque | red << 16 | green << 8 | blue; }

// One row of pixels from the full-width component rows: the grey and YCbCr rows
// of nearly every picture by the pixel-row kernel, the rarer models here.
void convertPixelRow(const uint8_t *const rows[4], ColourModel model, uint32_t *out, uint32_t width) {
    const uint8_t *c0 = rows[0], *c1 = rows[1], *c2 = rows[2], *black = rows[3];
    switch (model) {
        case ColourModel::Grey:
            kernels::pixelRow(rows, 1, out, width);
            break;
        case ColourModel::YCbCr:
            kernels::pixelRow(rows, 3, out, width);
            break;
        case ColourModel::Rgb:
            for (uint32_t x = 0; x < width; ++x) out[x] = packPixel(c0[x], c1[x], c2[x]);
            break;
        case ColourModel::Cmyk:
            for (uint32_t x = 0; x < width; ++x)
                out[x] = packPixel(scaleByBlack(c0[x], black[x]), scaleByBlack(c1[x], black[x]),
                                   scaleByBlack(c2[x], black[x]));
            break;
        case ColourModel::Ycck:
            for (uint32_t x = 0; x < width; ++x) {
                const uint32_t inks = ~jpeg::ycbcrToPixel(c0[x], c1[x], c2[x]);  // 255 - R, 255 - G, 255 - B
                out[x] = packPixel(scaleByBlack(inks >> 16 & 0xFF, black[x]), scaleByBlack(inks >> 8 & 0xFF, black[x]),
                                   scaleByBlack(inks & 0xFF, black[x]));
            }
            break;
    }
}

}  // namespace

void TNanoJpegDecoder::writeRows(uint32_t firstRow, uint32_t endRow, uint32_t planeFirstRow) {
    const size_t count = components_.size();
    const ColourModel model = colourModel();
    uint32_t *pixels = picture_->row(0);
    if (widened_.size() < count * width_) widened_.resize(count * width_);
    // Per component: how often its plane is doubled across and down to cover the
    // picture, and the doubled row last made (made again only when the source row
    // changes, so 4:2:0 chroma is doubled once per two rows).
    int shiftX[4], shiftY[4];
    size_t widenedRow[4];
    for (size_t i = 0; i < count; ++i) {
        shiftX[i] = std::countr_zero(unsigned(maxSamplingX_ / components_[i].samplingX));
        shiftY[i] = std::countr_zero(unsigned(maxSamplingY_ / components_[i].samplingY));
        widenedRow[i] = SIZE_MAX;
    }
    const uint8_t *rows[4] = {};
    for (uint32_t y = firstRow; y < endRow; ++y) {
        for (size_t i = 0; i < count; ++i) {
            const TNanoJpegComponent &c = components_[i];
            const size_t sourceRow = (y >> shiftY[i]) - (planeFirstRow >> shiftY[i]);
            const uint8_t *source = c.plane.get() + sourceRow * c.stride;
            if (shiftX[i] == 0) {
                rows[i] = source;
                continue;
            }
            uint8_t *widened = widened_.data() + i * width_;
            if (widenedRow[i] != sourceRow) {
                widenRow(source, shiftX[i], widened, width_);
                widenedRow[i] = sourceRow;
            }
            rows[i] = widened;
        }
        convertPixelRow(rows, model, pixels + size_t(y) * width_, width_);
    }
}

}  // namespace zorblit
