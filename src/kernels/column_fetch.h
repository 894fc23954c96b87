// One row of a scaled copy: destination pixels taken from one source row by a
// map of source columns, computed once per scale.
#pragma once
#include <cstddef>
#include <cstdint>

#include "kernels/level.h"

namespace zorblit::kernels {

using FetchColumnsFn = void (*)(uint32_t *dest, const uint32_t *row, uint32_t width, const uint32_t *columns,
                                size_t count);

// dest[k] = row[columns[k]] for k < count; every column is below width, the
// row's pixel count. Source and destination do not share memory.
void fetchColumns(uint32_t *dest, const uint32_t *row, uint32_t width, const uint32_t *columns, size_t count);

FetchColumnsFn fetchColumnsVariant(Level level);

}  // namespace zorblit::kernels
