// Run-length encoded bitmap pixels (8 and 4 bits per index).
#pragma once
#include <array>
#include <cstdint>

#include "loaders/reader.h"

namespace zorblit {

using BmpPalette = std::array<uint32_t, 256>;

// Where the decoded indices go: the picture's size and row order.
struct RunTarget {
    PendingImage &image;
    uint32_t width, rows;
    bool topDown;
};

// Decodes the stream from the cursor up to its end-of-bitmap code. Runs, literal
// runs (padded to two bytes), end of line and delta moves; pixels outside the
// picture are dropped and pixels never set keep what the image held. False, with
// the reason recorded, when the stream ends before end of bitmap.
bool decodeRunLengths(ByteCursor stream, unsigned bits, const BmpPalette &palette, const RunTarget &target);

}  // namespace zorblit
