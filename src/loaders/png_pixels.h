// Turning reconstructed PNG rows into 0xAARRGGBB pixels.
#pragma once
#include <array>
#include <cstdint>

#include "loaders/png_chunks.h"

namespace zorblit::png {

// Everything the row expanders need besides the row.
struct PixelSource {
    // Pixels of palette indices, and of grey samples up to 8 bits; palette
    // indices beyond the palette give transparent black.
    std::array<uint32_t, 256> indexed{};
    // The tRNS colour as raw samples at the image's depth; off when the colour
    // cannot occur at that depth.
    bool keyed = false;
    std::array<uint16_t, 3> key{};
};

PixelSource pixelSourceOf(const Contents &contents);

// Writes count pixels of one reconstructed row to out.
using RowExpander = void (*)(const uint8_t *row, uint32_t count, uint32_t *out, const PixelSource &source);
RowExpander rowExpanderFor(const Header &header, const PixelSource &source);

// The CgBI variant stores blue where red belongs and premultiplies colours by
// alpha; this undoes both over the finished image.
void undoCgbi(uint32_t *pixels, size_t count, const Contents &contents);

}  // namespace zorblit::png
