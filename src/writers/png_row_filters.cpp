// Residuals of the four predicting filters, in loops over whole rows that the
// compiler turns into vector code (the first pixel, with no left neighbour, is
// done apart).
#include "writers/png_row_filters.h"

#include <cstdlib>
#include <cstring>

namespace zorblit {
namespace {

enum : uint8_t { kNone, kSub, kUp, kAverage, kPaeth };

// residual[i] = row[i] - predict(left, up, upLeft), left and upLeft 0 for the first pixel.
template <unsigned Bpp, class Predict>
void residuals(const uint8_t *row, const uint8_t *above, size_t size, uint8_t *out, Predict predict) {
    for (size_t i = 0; i < Bpp && i < size; ++i) out[i] = uint8_t(row[i] - predict(0, above[i], 0));
    for (size_t i = Bpp; i < size; ++i) out[i] = uint8_t(row[i] - predict(row[i - Bpp], above[i], above[i - Bpp]));
}

int paeth(int a, int b, int c) {
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

template <unsigned Bpp>
void applyFilter(uint8_t type, const uint8_t *row, const uint8_t *above, size_t size, uint8_t *out) {
    switch (type) {
    case kSub: return residuals<Bpp>(row, above, size, out, [](int a, int, int) { return a; });
    case kUp: return residuals<Bpp>(row, above, size, out, [](int, int b, int) { return b; });
    case kAverage: return residuals<Bpp>(row, above, size, out, [](int a, int b, int) { return (a + b) >> 1; });
    case kPaeth: return residuals<Bpp>(row, above, size, out, paeth);
    default: std::memcpy(out, row, size);
    }
}

uint64_t absoluteSum(const uint8_t *bytes, size_t size) {
    uint64_t sum = 0;
    for (size_t i = 0; i < size; ++i) sum += uint8_t(std::abs(int(int8_t(bytes[i]))));
    return sum;
}

}  // namespace

RowFilterChooser::RowFilterChooser(size_t rowBytes, unsigned bytesPerPixel)
    : rowBytes_(rowBytes), bytesPerPixel_(bytesPerPixel), zeros_(rowBytes, 0), trial_(rowBytes) {}

void RowFilterChooser::filter(const uint8_t *row, const uint8_t *above, uint8_t *out) {
    if (!above) above = zeros_.data();
    const auto apply = bytesPerPixel_ == 4 ? applyFilter<4> : applyFilter<3>;
    uint64_t bestSum = UINT64_MAX;
    for (uint8_t type = kNone; type <= kPaeth; ++type) {
        apply(type, row, above, rowBytes_, trial_.data());
        const uint64_t sum = absoluteSum(trial_.data(), rowBytes_);
        if (sum < bestSum) {
            bestSum = sum;
            out[0] = type;
            std::memcpy(out + 1, trial_.data(), rowBytes_);
        }
    }
}

}  // namespace zorblit
