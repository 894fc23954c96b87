// From the component planes to 32-bit pixels: chroma upsampled by replication
// (each subsampled sample covers a 2 x 2, 2 x 1, ... square), then converted.
#include <bit>
#include <cstdint>
#include <vector>

#include "kernels/ycc_row.h"
#include "loaders/jpeg_decoder.h"

namespace zorblit {
namespace {

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

}  // namespace

void TNanoJpegDecoder::writePixels(uint32_t *pixels) const {
    const size_t count = components_.size();
    // Per component: how often its plane is doubled across and down to cover the
    // picture, and the doubled row last made (made again only when the source row
    // changes, so 4:2:0 chroma is doubled once per two rows).
    std::vector<int> shiftX(count), shiftY(count);
    std::vector<std::vector<uint8_t>> widened(count);
    std::vector<size_t> widenedRow(count, SIZE_MAX);
    for (size_t i = 0; i < count; ++i) {
        shiftX[i] = std::countr_zero(unsigned(maxSamplingX_ / components_[i].samplingX));
        shiftY[i] = std::countr_zero(unsigned(maxSamplingY_ / components_[i].samplingY));
        if (shiftX[i] > 0) widened[i].resize(width_);
    }
    const uint8_t *rows[3] = {};
    for (uint32_t y = 0; y < height_; ++y) {
        for (size_t i = 0; i < count; ++i) {
            const TNanoJpegComponent &c = components_[i];
            const size_t sourceRow = y >> shiftY[i];
            const uint8_t *source = c.plane.get() + sourceRow * c.stride;
            if (shiftX[i] == 0) {
                rows[i] = source;
                continue;
            }
            if (widenedRow[i] != sourceRow) {
                widenRow(source, shiftX[i], widened[i].data(), width_);
                widenedRow[i] = sourceRow;
            }
            rows[i] = widened[i].data();
        }
        kernels::pixelRow(rows, count, pixels + size_t(y) * width_, width_);
    }
}

}  // namespace zorblit
