// Progressive scans: each refines a band of zig-zag positions (the DC
// coefficient, or AC coefficients of one component) to some bits of precision.
// The coefficients are kept in zig-zag order until the end of the image, when
// every block is dequantised and inverse transformed into its component's plane.
// Each block keeps a mask of its non-zero AC positions, by which refinement scans
// and the final transform find their way through it instead of looking at every
// coefficient.
#include <bit>
#include <cstring>
#include <type_traits>
#include <vector>

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

// Positions from..63 (none when from is 64 or more).
inline uint64_t positionsFrom(int from) { return from < 64 ? ~uint64_t(0) << from : 0; }

// Appends a correction bit to each listed coefficient (all non-zero), in zig-zag
// order: it grows away from zero by the scan's bit when the bit is set and not
// yet there.
void refine(JpegBitReader &bits, int16_t *coefficients, uint64_t positions, int bit) {
    while (positions) {
        if (bits.available() < 32) bits.refill();
        for (int i = 0; i < 32 && positions; ++i, positions &= positions - 1) {
            int16_t &coefficient = coefficients[std::countr_zero(positions)];
            // Without branches, as the bits are as good as random.
            const int32_t grows = -int32_t(bits.take(1) & ((coefficient & bit) == 0));
            const int32_t sign = coefficient >> 15;  // 0 or -1
            coefficient = int16_t(coefficient + (((bit ^ sign) - sign) & grows));
        }
    }
}

}  // namespace

bool TNanoJpegDecoder::decodeDcFirst(JpegBitReader &bits, TNanoJpegComponent &component, size_t block) {
    if (!decodeDc(bits, component)) return false;
    component.coefficients[block * 64] = int16_t(component.dcPredictor * (1 << approximationLow_));
    return true;
}

bool TNanoJpegDecoder::decodeDcRefine(JpegBitReader &bits, TNanoJpegComponent &component, size_t block) {
    if (bits.available() < 1) bits.refill();
    int16_t &dc = component.coefficients[block * 64];
    dc = int16_t(dc | bits.take(1) << approximationLow_);  // no branch on a bit as good as random
    return true;
}

// Run-length coded values; an end-of-band code ends this block and skips the
// band in as many blocks after it as its run says.
bool TNanoJpegDecoder::decodeAcFirst(JpegBitReader &bits, TNanoJpegComponent &component, size_t block) {
    if (endOfBandRun_ > 0) {
        --endOfBandRun_;
        return true;
    }
    const JpegHuffmanTable &table = huffmanTables_[component.acTable];
    int16_t *coefficients = component.coefficients.get() + block * 64;
    uint64_t nonZero = component.nonZero[block];
    for (int k = spectralStart_; k <= spectralEnd_; ++k) {
        if (bits.available() < kBitsPerCoefficient) bits.refill();
        int32_t value;
        // Fast path: a short code whose extra bits fit in the same lookahead (the
        // entries without a value mean other things here).
        if (const int32_t packed = table.shortCoefficient(bits.peek(JpegHuffmanTable::kLookaheadBits));
            packed >> 16 != 0) {
            bits.consume(packed & 0xFF);
            k += (packed >> 8 & 0xFF) - 1;
            value = packed >> 16;
        } else {
            const int symbol = table.decode(bits);
            if (symbol < 0) return false;
            const int run = symbol >> 4, size = symbol & 15;
            if (size == 0) {
                if (run == 15) {  // sixteen zeros
                    k += 15;
                    continue;
                }
                endOfBandRun_ = (1u << run) - 1 + bits.take(run);
                break;
            }
            k += run;
            value = extendSign(bits.take(size), size);
        }
        if (k > spectralEnd_) return false;
        coefficients[k] = int16_t(value * (1 << approximationLow_));
        nonZero |= uint64_t(1) << k;
    }
    component.nonZero[block] = nonZero;
    return true;
}

// A refinement codes the coefficients that become non-zero (always +-bit) by
// the runs of zero coefficients before them; every already non-zero
// coefficient passed on the way, or left in the band after an end-of-band, takes
// one correction bit.
bool TNanoJpegDecoder::decodeAcRefine(JpegBitReader &bits, TNanoJpegComponent &component, size_t block) {
    const JpegHuffmanTable &table = huffmanTables_[component.acTable];
    int16_t *coefficients = component.coefficients.get() + block * 64;
    const int bit = 1 << approximationLow_;
    const uint64_t band = positionsFrom(spectralStart_) & ~positionsFrom(spectralEnd_ + 1);
    uint64_t nonZero = component.nonZero[block];
    int k = spectralStart_;
    while (endOfBandRun_ == 0 && k <= spectralEnd_) {
        if (bits.available() < kBitsPerCoefficient) bits.refill();
        const int symbol = table.decode(bits);
        if (symbol < 0) return false;
        const int zerosToPass = symbol >> 4, size = symbol & 15;
        int value = 0;
        if (size == 1) {
            value = bits.take(1) ? bit : -bit;
        } else if (size != 0) {
            return false;
        } else if (zerosToPass < 15) {
            endOfBandRun_ = (1u << zerosToPass) + bits.take(zerosToPass);
            break;
        }
        // The zero coefficient after the run (a run of 15 without a value passes
        // sixteen zeros); 64 when the band has too few.
        uint64_t zeros = ~nonZero & band & positionsFrom(k);
        for (int i = 0; i < zerosToPass && zeros; ++i) zeros &= zeros - 1;
        const int target = zeros ? std::countr_zero(zeros) : 64;
        refine(bits, coefficients, nonZero & band & positionsFrom(k) & ~positionsFrom(target), bit);
        if (value != 0) {
            if (target > spectralEnd_) return false;
            coefficients[target] = int16_t(value);
            nonZero |= uint64_t(1) << target;
        }
        k = target + 1;
    }
    if (endOfBandRun_ > 0) {
        refine(bits, coefficients, nonZero & band & positionsFrom(k), bit);
        --endOfBandRun_;
    }
    component.nonZero[block] = nonZero;
    return true;
}

bool TNanoJpegDecoder::decodeProgressiveScan() {
    using DecodeBlock = bool (TNanoJpegDecoder::*)(JpegBitReader &, TNanoJpegComponent &, size_t);
    // One walk per kind of scan, each with its block decoder built in.
    const auto walkWith = [this](auto step) {
        return walkScan(
            [this](JpegBitReader &bits, TNanoJpegComponent &c, int blockX, int blockY) {
                return (this->*decltype(step)::value)(bits, c, size_t(blockY) * (c.stride / 8) + size_t(blockX));
            },
            [](int) {});
    };
    if (spectralStart_ == 0)
        return approximationHigh_ == 0 ? walkWith(std::integral_constant<DecodeBlock, &TNanoJpegDecoder::decodeDcFirst>())
                                       : walkWith(std::integral_constant<DecodeBlock, &TNanoJpegDecoder::decodeDcRefine>());
    return approximationHigh_ == 0 ? walkWith(std::integral_constant<DecodeBlock, &TNanoJpegDecoder::decodeAcFirst>())
                                   : walkWith(std::integral_constant<DecodeBlock, &TNanoJpegDecoder::decodeAcRefine>());
}

// The samples take half the bytes of the coefficients and go into the same
// memory: block row y's samples land on the coefficients of the rows before it,
// already transformed, except for row 0, whose coefficients are copied out first.
void TNanoJpegDecoder::transformCoefficients(TNanoJpegComponent &component) {
    const size_t blocksPerRow = component.stride / 8, blockRows = size_t(mcusDown_) * component.samplingY;
    const ptrdiff_t stride = ptrdiff_t(component.stride);
    const std::vector<int16_t> firstRow(component.coefficients.get(), component.coefficients.get() + blocksPerRow * 64);
    const int16_t *rows = component.coefficients.get();
    component.plane.reset(reinterpret_cast<uint8_t *>(component.coefficients.release()));
    for (size_t blockY = 0, block = 0; blockY < blockRows; ++blockY)
        for (size_t blockX = 0; blockX < blocksPerRow; ++blockX, ++block) {
            const int16_t *coefficients = blockY == 0 ? firstRow.data() + blockX * 64 : rows + block * 64;
            uint8_t *out = component.plane.get() + blockY * 8 * component.stride + blockX * 8;
            uint64_t positions = component.nonZero[block] & ~uint64_t(1);
            if (positions == 0) {
                const uint8_t sample = jpeg::dcOnlySample(coefficients[0] * component.quant[0]);
                for (int row = 0; row < 8; ++row) std::memset(out + row * stride, sample, 8);
                continue;
            }
            const int last = 63 - std::countl_zero(positions);
            block_[0] = coefficients[0] * component.quant[0];
            for (; positions; positions &= positions - 1) {
                const int k = std::countr_zero(positions);
                block_[kZigzag[k]] = coefficients[k] * component.quant[k];
            }
            jpeg::inverseDct(block_, jpeg::kRowsUpTo[last], out, stride);
        }
}

}  // namespace zorblit
