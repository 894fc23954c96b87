// Building the canonical codes and decoding the long ones.
#include "loaders/jpeg_huffman.h"

namespace zorblit::jpeg {

bool JpegHuffmanTable::build(const uint8_t counts[16], const uint8_t *symbols) {
    *this = JpegHuffmanTable();
    int32_t code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int count = counts[length - 1];
        symbolOffset_[length] = index - code;
        for (int i = 0; i < count; ++i, ++code, ++index) {
            if (code >= (1 << length) || index >= int(symbols_.size())) return false;
            symbols_[index] = symbols[index];
            if (length > kLookaheadBits) continue;
            const int shift = kLookaheadBits - length;
            for (int fill = 0; fill < (1 << shift); ++fill) {
                const int pattern = (code << shift) | fill;
                lookahead_[pattern] = uint16_t(length << 8 | symbols[index]);
                // The extra bits of a coefficient follow the code in the pattern.
                const int run = symbols[index] >> 4, size = symbols[index] & 15;
                if (size == 0 || length + size > kLookaheadBits) continue;
                const uint32_t extra = uint32_t(pattern >> (kLookaheadBits - length - size)) & ((1u << size) - 1);
                shortCoefficients_[pattern] = extendSign(extra, size) * 256 + run * 16 + length + size;
            }
        }
        maxCode_[length] = count ? code - 1 : -1;
        code <<= 1;
    }
    return true;
}

int JpegHuffmanTable::decodeLong(JpegBitReader &bits) const {
    // No code of up to kLookaheadBits bits matched, so the search starts above.
    const uint32_t next16 = bits.peek(16);
    for (int length = kLookaheadBits + 1; length <= 16; ++length) {
        const int32_t code = int32_t(next16 >> (16 - length));
        if (code <= maxCode_[length]) {
            bits.consume(length);
            return symbols_[code + symbolOffset_[length]];
        }
    }
    return -1;
}

}  // namespace zorblit::jpeg
