// Progressive scans: each refines a band of zig-zag positions (the DC
// coefficient, or AC coefficients of one component) to some bits of precision,
// kept as coefficients until the end of the image, when every block is
// dequantised and inverse transformed into its component's plane.
#include <algorithm>
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
using jpeg::kBitsPerCoefficient;
using jpeg::kZigzag;

inline int32_t takeBits(JpegBitReader &bits, int count) {
    if (bits.available() < count) bits.refill();
    return int32_t(bits.take(count));
}

// Appends a correction bit to a coefficient that is already non-zero: it grows
// away from zero by the scan's bit when the bit is set and not yet there.
inline void refine(JpegBitReader &bits, int16_t &coefficient, int bit) {
    if (takeBits(bits, 1) && (coefficient & bit) == 0)
        coefficient = int16_t(coefficient + (coefficient > 0 ? bit : -bit));
}

// True when the eight coefficients of a block row are all zero.
inline bool rowIsZero(const int16_t *row) {
    uint64_t halves[2];
    std::memcpy(halves, row, sizeof halves);
    return (halves[0] | halves[1]) == 0;
}

}  // namespace

bool TNanoJpegDecoder::decodeDcFirst(JpegBitReader &bits, TNanoJpegComponent &component, int16_t *block) {
    if (!decodeDc(bits, component)) return false;
    block[0] = int16_t(component.dcPredictor * (1 << approximationLow_));
    return true;
}

bool TNanoJpegDecoder::decodeDcRefine(JpegBitReader &bits, TNanoJpegComponent &, int16_t *block) {
    if (takeBits(bits, 1)) block[0] = int16_t(block[0] | 1 << approximationLow_);
    return true;
}

// Run-length coded values; an end-of-band code ends this block and skips the
// band in as many blocks after it as its run says.
bool TNanoJpegDecoder::decodeAcFirst(JpegBitReader &bits, TNanoJpegComponent &component, int16_t *block) {
    if (endOfBandRun_ > 0) {
        --endOfBandRun_;
        return true;
    }
    const JpegHuffmanTable &table = huffmanTables_[component.acTable];
    for (int k = spectralStart_; k <= spectralEnd_; ++k) {
        if (bits.available() < kBitsPerCoefficient) bits.refill();
        const int symbol = table.decode(bits);
        if (symbol < 0) return false;
        const int run = symbol >> 4, size = symbol & 15;
        if (size == 0) {
            if (run == 15) {  // sixteen zeros
                k += 15;
                continue;
            }
            endOfBandRun_ = (1u << run) - 1 + bits.take(run);
            return true;
        }
        k += run;
        if (k > spectralEnd_) return false;
        block[kZigzag[k]] = int16_t(extendSign(bits.take(size), size) * (1 << approximationLow_));
    }
    return true;
}

// A refinement codes the coefficients that become non-zero (always +-bit) by
// runs of zero coefficients; every already non-zero coefficient passed on the
// way, or left in the band after an end-of-band, takes one correction bit.
bool TNanoJpegDecoder::decodeAcRefine(JpegBitReader &bits, TNanoJpegComponent &component, int16_t *block) {
    const JpegHuffmanTable &table = huffmanTables_[component.acTable];
    const int bit = 1 << approximationLow_;
    int k = spectralStart_;
    for (; endOfBandRun_ == 0 && k <= spectralEnd_; ++k) {
        if (bits.available() < kBitsPerCoefficient) bits.refill();
        const int symbol = table.decode(bits);
        if (symbol < 0) return false;
        int zerosToPass = symbol >> 4;
        const int size = symbol & 15;
        int value = 0;
        if (size == 1) {
            value = bits.take(1) ? bit : -bit;
        } else if (size != 0) {
            return false;
        } else if (zerosToPass < 15) {
            endOfBandRun_ = (1u << zerosToPass) + bits.take(zerosToPass);
            break;
        }
        // Stops on the zero coefficient after the run (a run of 15 without a value
        // passes sixteen zeros).
        for (; k <= spectralEnd_; ++k) {
            int16_t &coefficient = block[kZigzag[k]];
            if (coefficient != 0)
                refine(bits, coefficient, bit);
            else if (zerosToPass-- == 0)
                break;
        }
        if (value == 0) continue;
        if (k > spectralEnd_) return false;
        block[kZigzag[k]] = int16_t(value);
    }
    if (endOfBandRun_ > 0) {
        for (; k <= spectralEnd_; ++k)
            if (int16_t &coefficient = block[kZigzag[k]]; coefficient != 0) refine(bits, coefficient, bit);
        --endOfBandRun_;
    }
    return true;
}

bool TNanoJpegDecoder::decodeProgressiveScan() {
    using DecodeBlock = bool (TNanoJpegDecoder::*)(JpegBitReader &, TNanoJpegComponent &, int16_t *);
    const bool first = approximationHigh_ == 0;
    const DecodeBlock step = spectralStart_ == 0
                                 ? (first ? &TNanoJpegDecoder::decodeDcFirst : &TNanoJpegDecoder::decodeDcRefine)
                                 : (first ? &TNanoJpegDecoder::decodeAcFirst : &TNanoJpegDecoder::decodeAcRefine);
    return walkScan([this, step](JpegBitReader &bits, TNanoJpegComponent &c, int blockX, int blockY) {
        int16_t *block = c.coefficients.get() + (size_t(blockY) * (c.stride / 8) + size_t(blockX)) * 64;
        return (this->*step)(bits, c, block);
    });
}

void TNanoJpegDecoder::transformCoefficients(TNanoJpegComponent &component) {
    const size_t blocksPerRow = component.stride / 8, blockRows = size_t(mcusDown_) * component.samplingY;
    const ptrdiff_t stride = ptrdiff_t(component.stride);
    const int16_t *coefficients = component.coefficients.get();
    for (size_t blockY = 0; blockY < blockRows; ++blockY)
        for (size_t blockX = 0; blockX < blocksPerRow; ++blockX, coefficients += 64) {
            uint8_t *out = component.plane.get() + blockY * 8 * component.stride + blockX * 8;
            int usedRows = 8;
            while (usedRows > 1 && rowIsZero(coefficients + (usedRows - 1) * 8)) --usedRows;
            for (int i = 0; i < usedRows * 8; ++i) block_[i] = coefficients[i] * component.dequantise[i];
            if (usedRows == 1 && std::all_of(coefficients + 1, coefficients + 8, [](int16_t c) { return c == 0; })) {
                const uint8_t sample = jpeg::dcOnlySample(block_[0]);
                for (int row = 0; row < 8; ++row) std::memset(out + row * stride, sample, 8);
                block_[0] = 0;
            } else {
                jpeg::inverseDct(block_, usedRows, out, stride);
            }
        }
}

}  // namespace zorblit
