// The entropy-coded scan: MCUs left to right, top to bottom, each block Huffman
// decoded, dequantised and inverse transformed into its component's plane.
#include <algorithm>
#include <array>
#include <cstring>

#include "loaders/jpeg_decoder.h"
#include "loaders/jpeg_idct.h"

namespace zorblit {
namespace {

using Error = TNanoJpegErrorCodes;
using jpeg::extendSign;
using jpeg::JpegBitReader;
using jpeg::JpegHuffmanTable;

// Natural-order position of the k-th coefficient in zig-zag order.
constexpr uint8_t kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// For each zig-zag position k: how many rows the coefficients 0..k reach.
constexpr auto kRowsUpTo = [] {
    std::array<uint8_t, 64> rows{};
    int reach = 0;
    for (int k = 0; k < 64; ++k) rows[k] = uint8_t(reach = std::max(reach, kZigzag[k] / 8 + 1));
    return rows;
}();

// Real DC values stay within 12 bits; the bound only keeps hostile sums finite.
constexpr int32_t kPredictorLimit = 1 << 15;

// A code and its extra bits take at most 16 + 15 bits.
constexpr int kBitsPerCoefficient = 31;

}  // namespace

bool TNanoJpegDecoder::decodeBlock(JpegBitReader &bits, TNanoJpegComponent &component, uint8_t *out) {
    const std::array<uint8_t, 64> &quant = quantTables_[component.quantTable];
    const JpegHuffmanTable &ac = huffmanTables_[component.acTable];

    if (bits.available() < kBitsPerCoefficient) bits.refill();
    const int dcSymbol = huffmanTables_[component.dcTable].decode(bits);
    if (dcSymbol < 0) return false;
    const int dcSize = dcSymbol & 15;
    component.dcPredictor = std::clamp(component.dcPredictor + extendSign(bits.take(dcSize), dcSize),
                                       -kPredictorLimit, kPredictorLimit);
    block_[0] = component.dcPredictor * quant[0];

    int position = 0;
    while (position < 63) {
        if (bits.available() < kBitsPerCoefficient) bits.refill();
        int32_t value;
        // Fast path: a short code whose extra bits fit in the same lookahead.
        if (const int32_t packed = ac.shortCoefficient(bits.peek(JpegHuffmanTable::kLookaheadBits))) {
            bits.consume(packed & 15);
            position += (packed >> 4 & 15) + 1;
            value = packed >> 8;
        } else {
            const int symbol = ac.decode(bits);
            if (symbol == 0) break;  // end of block
            if (symbol < 0 || ((symbol & 15) == 0 && symbol != 0xF0)) return false;
            const int size = symbol & 15;
            position += (symbol >> 4) + 1;
            value = extendSign(bits.take(size), size);
        }
        if (position > 63) return false;
        block_[kZigzag[position]] = value * quant[position];
    }

    const ptrdiff_t stride = ptrdiff_t(component.stride);
    if (position == 0) {
        const uint8_t sample = jpeg::dcOnlySample(block_[0]);
        for (int row = 0; row < 8; ++row) std::memset(out + row * stride, sample, 8);
        block_[0] = 0;
    } else {
        jpeg::inverseDct(block_, kRowsUpTo[position], out, stride);
    }
    return true;
}

bool TNanoJpegDecoder::readRestartMarker(JpegBitReader &bits, int index) {
    bits.alignToByte();
    bits.refill();
    return bits.take(16) == 0xFFD0u + unsigned(index) && !bits.overrun();
}

bool TNanoJpegDecoder::decodeScan() {
    JpegBitReader bits(pos_, pos_ + left_);
    unsigned untilRestart = restartInterval_;
    int restartIndex = 0;
    for (int mcuY = 0; mcuY < mcusDown_; ++mcuY) {
        for (int mcuX = 0; mcuX < mcusAcross_; ++mcuX) {
            for (TNanoJpegComponent &c : components_)
                for (int blockY = 0; blockY < c.samplingY; ++blockY)
                    for (int blockX = 0; blockX < c.samplingX; ++blockX) {
                        const size_t row = size_t(mcuY * c.samplingY + blockY) * 8;
                        const size_t column = size_t(mcuX * c.samplingX + blockX) * 8;
                        if (!decodeBlock(bits, c, c.plane.get() + row * c.stride + column))
                            return fail(Error::SyntaxError);
                    }
            if (bits.overrun()) return fail(Error::SyntaxError);

            const bool lastMcu = mcuY == mcusDown_ - 1 && mcuX == mcusAcross_ - 1;
            if (restartInterval_ == 0 || --untilRestart > 0 || lastMcu) continue;
            if (!readRestartMarker(bits, restartIndex)) return fail(Error::SyntaxError);
            restartIndex = (restartIndex + 1) & 7;
            untilRestart = restartInterval_;
            for (TNanoJpegComponent &c : components_) c.dcPredictor = 0;
        }
    }
    error_ = Error::Internal_Finished;
    return true;
}

}  // namespace zorblit
