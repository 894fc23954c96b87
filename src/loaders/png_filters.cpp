// The filters with the byte distance as a compile-time constant, so each
// pixel's bytes are handled in straight-line code.
#include "loaders/png_filters.h"

namespace zorblit::png {
namespace {

enum Filter : uint8_t { none = 0, sub = 1, up = 2, average = 3, paeth = 4 };

void undoUp(uint8_t *row, const uint8_t *above, size_t size) {
    for (size_t i = 0; i < size; ++i) row[i] = uint8_t(row[i] + above[i]);
}

template <unsigned Step>
void undoSub(uint8_t *row, size_t size) {
    for (size_t i = Step; i < size; ++i) row[i] = uint8_t(row[i] + row[i - Step]);
}

template <unsigned Step>
void undoAverage(uint8_t *row, const uint8_t *above, size_t size) {
    const size_t head = size < Step ? size : Step;
    for (size_t i = 0; i < head; ++i) row[i] = uint8_t(row[i] + (above[i] >> 1));
    for (size_t i = Step; i < size; ++i) row[i] = uint8_t(row[i] + ((row[i - Step] + above[i]) >> 1));
}

template <unsigned Step>
void undoPaeth(uint8_t *row, const uint8_t *above, size_t size) {
    // With nothing to the left, the predictor is the byte above.
    const size_t head = size < Step ? size : Step;
    for (size_t i = 0; i < head; ++i) row[i] = uint8_t(row[i] + above[i]);
    for (size_t i = Step; i < size; i += Step)
        for (unsigned k = 0; k < Step; ++k)
            row[i + k] = uint8_t(row[i + k] + paethPredictor(row[i + k - Step], above[i + k], above[i + k - Step]));
}

template <unsigned Step>
void unfilter(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size) {
    switch (filterType) {
        case sub: undoSub<Step>(row, size); break;
        case up: undoUp(row, above, size); break;
        case average: undoAverage<Step>(row, above, size); break;
        case paeth: undoPaeth<Step>(row, above, size); break;
        default: break;
    }
}

}  // namespace

void unfilterRow(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size, unsigned step) {
    switch (step) {
        case 1: unfilter<1>(filterType, row, above, size); break;
        case 2: unfilter<2>(filterType, row, above, size); break;
        case 3: unfilter<3>(filterType, row, above, size); break;
        case 4: unfilter<4>(filterType, row, above, size); break;
        case 6: unfilter<6>(filterType, row, above, size); break;
        default: unfilter<8>(filterType, row, above, size); break;
    }
}

}  // namespace zorblit::png
