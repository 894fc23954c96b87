// In-place blur, one pass, no second buffer, of the form's kind: four neighbours
// averaged along the linear pixel run, or a 3x3 box. Both blur all four bytes,
// alpha included, and leave the outer rows unchanged.
#pragma once
#include "core/form.h"

namespace zorblit {

// Four neighbours: for every pixel of rows 1 to h - 2, taken as one run, each byte
// becomes (left + right + up + down) >> 2, where left is the pixel just written
// (0 before the first) and up was written a row earlier. The bytes are summed in
// two 32-bit words holding the even and the odd bytes in 16-bit lanes, which no
// sum (at most 1020) overflows.
inline void blurFourNeighbours(const GFXimage &image) {
    const size_t w = image.width, h = image.height;
    if (w == 0 || h < 3) return;
    constexpr uint32_t kEvenBytes = 0x00FF00FF;
    const auto even = [](uint32_t p) { return p & kEvenBytes; };
    const auto odd = [](uint32_t p) { return p >> 8 & kEvenBytes; };
    uint32_t *p = image.data;
    uint32_t leftEven = 0, leftOdd = 0;
    for (size_t i = w, end = w * (h - 1); i < end; ++i) {
        const uint32_t right = p[i + 1], up = p[i - w], down = p[i + w];
        leftEven = (leftEven + even(right) + even(up) + even(down)) >> 2 & kEvenBytes;
        leftOdd = (leftOdd + odd(right) + odd(up) + odd(down)) >> 2 & kEvenBytes;
        p[i] = leftEven | leftOdd << 8;
    }
}

// 3x3 box: rows 1 to h - 2, columns 1 to w - 2, each byte becomes the sum
// over the 3x3 block around it divided by 9 (truncated). The block is read as it
// stands, so its upper row and left neighbour are already blurred.
inline void blurBox3x3(const GFXimage &image) {
    const uint32_t w = image.width, h = image.height;
    if (w < 3 || h < 3) return;
    for (uint32_t y = 1; y + 1 < h; ++y)
        for (uint32_t x = 1; x + 1 < w; ++x) {
            uint32_t blurred = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                uint32_t sum = 0;
                for (uint32_t by = y - 1; by <= y + 1; ++by)
                    for (uint32_t bx = x - 1; bx <= x + 1; ++bx) sum += *pixelAddress(image, bx, by) >> shift & 0xFF;
                blurred |= sum / 9 << shift;
            }
            *pixelAddress(image, x, y) = blurred;
        }
}

template <class Form>
void blurImage(const GFXimage &image) {
    if (!hasPixels(image)) return;
    if constexpr (Form::blur == BlurKind::FourNeighbours)
        blurFourNeighbours(image);
    else
        blurBox3x3(image);
}

}  // namespace zorblit
