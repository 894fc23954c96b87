// Undoing the five PNG row filters.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zorblit::png {

// Reconstructs row in place from its filter type and the reconstructed row
// above (all zeros for a pass's first row). step is the filter byte distance
// (1, 2, 3, 4, 6 or 8). Filter type 0 and unknown types leave the row as it is.
void unfilterRow(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size, unsigned step);

// The Paeth predictor: left when nearest or tied, else up unless upper-left is
// strictly nearer.
inline uint8_t paethPredictor(int left, int up, int upLeft) {
    const int toLeft = up > upLeft ? up - upLeft : upLeft - up;
    const int toUp = left > upLeft ? left - upLeft : upLeft - left;
    const int sum = left + up - 2 * upLeft;
    const int toUpLeft = sum < 0 ? -sum : sum;
    if (toLeft <= toUp && toLeft <= toUpLeft) return uint8_t(left);
    return toUp <= toUpLeft ? uint8_t(up) : uint8_t(upLeft);
}

}  // namespace zorblit::png
