// Reading a PNG file's chunks up to IEND: header, palette, transparency and the
// compressed image data, every chunk's CRC checked.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "loaders/inflate.h"
#include "loaders/png_format.h"

namespace zorblit::png {

// The tRNS colour of a grey or RGB image: 16-bit values as the chunk gave them.
struct TransparentColour {
    bool present = false;
    bool twoByteForm = false;  // samples at the image's depth; else bytes times 257
    std::array<uint16_t, 4> values{};
};

struct Contents {
    Header header;
    std::vector<uint32_t> palette;  // 0xAARRGGBB
    TransparentColour transparent;
    // The IDAT chunk data, in file order.
    std::vector<ByteSpan> compressed;
    size_t compressedSize = 0;
    bool cgbi = false;  // raw deflate, red and blue exchanged, premultiplied alpha
};

// False for anything but a well-formed file that reaches IEND with image data.
bool readChunks(const uint8_t *data, size_t size, Contents &contents);

}  // namespace zorblit::png
