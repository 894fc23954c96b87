// A sequential scan: each block Huffman decoded, dequantised and inverse
// transformed straight into its component's plane.
#include <algorithm>
#include <array>
#include <cstring>

#include "loaders/jpeg_decoder.h"
#include "loaders/jpeg_idct.h"
#include "loaders/jpeg_scan_walk.h"
#include "loaders/jpeg_zigzag.h"

namespace zorblit {
namespace {

using jpeg::extendSign;
using jpeg::JpegBitReader;
using jpeg::JpegHuffmanTable;
using jpeg::kRowsUpTo;
using jpeg::kZigzag;

using jpeg::kBitsPerCoefficient;

}  // namespace

// Returns the zig-zag position of the last coefficient coded, -1 for damaged data.
[[gnu::always_inline]] inline int TNanoJpegDecoder::decodeCoefficients(JpegBitReader &bits,
                                                                       TNanoJpegComponent &component) {
    const std::array<uint16_t, 64> &quant = quantTables_[component.quantTable];
    const JpegHuffmanTable &ac = huffmanTables_[component.acTable];

    if (!decodeDc(bits, component)) return -1;
    block_[0] = component.dcPredictor * quant[0];

    int position = 0;
    while (position < 63) {
        if (bits.available() < kBitsPerCoefficient) bits.refill();
        int32_t value;
        int advance;
        // Fast path: a short code with its extra bits, or end of block.
        if (const int32_t packed = ac.shortCoefficient(bits.peek(JpegHuffmanTable::kLookaheadBits))) {
            bits.consume(packed & 0xFF);
            advance = packed >> 8 & 0xFF;
            value = packed >> 16;
        } else {
            const int symbol = ac.decode(bits);
            if (symbol < 0 || ((symbol & 15) == 0 && symbol != 0xF0 && symbol != 0)) return -1;
            const int size = symbol & 15;
            advance = symbol == 0 ? JpegHuffmanTable::kEndOfBlock : (symbol >> 4) + 1;
            value = extendSign(bits.take(size), size);
        }
        if (position + advance > 63) {
            if (advance == JpegHuffmanTable::kEndOfBlock) break;
            return -1;
        }
        position += advance;
        block_[kZigzag[position]] = value * quant[position];
    }
    return position;
}

bool TNanoJpegDecoder::decodeBlock(JpegBitReader &reader, TNanoJpegComponent &component, uint8_t *out) {
    // A copy the compiler keeps in registers: through the reference, every store
    // to block_ could be a store to the reader's count.
    JpegBitReader bits = reader;
    const int last = decodeCoefficients(bits, component);
    reader = bits;
    if (last < 0) return false;

    const ptrdiff_t stride = ptrdiff_t(component.stride);
    if (last == 0) {
        const uint8_t sample = jpeg::dcOnlySample(block_[0]);
        for (int row = 0; row < 8; ++row) std::memset(out + row * stride, sample, 8);
        block_[0] = 0;
    } else {
        jpeg::inverseDct(block_, kRowsUpTo[last], out, stride);
    }
    return true;
}

bool TNanoJpegDecoder::readRestartMarker(JpegBitReader &bits, int index) {
    bits.alignToByte();
    bits.refill();
    return bits.take(16) == 0xFFD0u + unsigned(index) && !bits.overrun();
}

bool TNanoJpegDecoder::decodeSequentialScan() {
    return walkScan(
        [this](JpegBitReader &bits, TNanoJpegComponent &c, int blockX, int blockY) {
            const int planeBlockY = rowByRow_ ? blockY % c.samplingY : blockY;
            return decodeBlock(bits, c, c.plane.get() + size_t(planeBlockY) * 8 * c.stride + size_t(blockX) * 8);
        },
        [this](int mcuY) {
            if (!rowByRow_) return;
            const uint32_t first = uint32_t(mcuY) * uint32_t(mcuHeight_);
            writeRows(first, std::min(height_, first + uint32_t(mcuHeight_)), first);
        });
}

}  // namespace zorblit
