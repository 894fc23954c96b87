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
                if (size == 0) {
                    if (run == 0) shortCoefficients_[pattern] = kEndOfBlock << 8 | length;
                    if (run == 15) shortCoefficients_[pattern] = 16 << 8 | length;
                    continue;
                }
                if (length + size > kLookaheadBits) continue;
                const uint32_t extra = uint32_t(pattern >> (kLookaheadBits - length - size)) & ((1u << size) - 1);
                shortCoefficients_[pattern] = extendSign(extra, size) * 65536 + (run + 1) * 256 + length + size;
            }
        }
        maxCode_[length] = count ? code - 1 : -1;
        code <<= 1;
    }
    return true;
}

uint32_t JpegHuffmanTable::decodeLong(uint32_t next16) const {
    // No code of up to kLookaheadBits bits matched, so the search starts above.
    for (int length = kLookaheadBits + 1; length <= 16; ++length) {
        const int32_t code = int32_t(next16 >> (16 - length));
        if (code <= maxCode_[length]) return uint32_t(length) << 8 | symbols_[code + symbolOffset_[length]];
    }
    return 0;
}

}  // namespace zorblit::jpeg
