// Undoing the five PNG row filters.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kernels/level.h"

namespace zorblit::kernels {

using UnfilterRowFn = void (*)(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size, unsigned step);

// Reconstructs row in place from its filter type and the reconstructed row
// above (all zeros for a pass's first row). step is the filter byte distance
// (1, 2, 3, 4, 6 or 8). Filter type 0 and unknown types leave the row as it is.
void unfilterRow(uint8_t filterType, uint8_t *row, const uint8_t *above, size_t size, unsigned step);

UnfilterRowFn unfilterRowVariant(Level level);

}  // namespace zorblit::kernels
