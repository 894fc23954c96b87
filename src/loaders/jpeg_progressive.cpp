// Progressive scans: each refines a band of zig-zag positions (the DC
// coefficient, or AC coefficients of one component) to some bits of precision.
// The coefficients are kept in zig-zag order until the end of the image, when
// every block is dequantised and inverse transformed into its component's plane.
// Refinement scans find their way through a block by a mask of its non-zero
// positions instead of looking at every coefficient.
#include <bit>
#include <cstring>
#include <type_traits>

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

// Bit k set for every non-zero coefficient k, four at a time in a 64-bit word:
// bit 15 of each 16-bit lane becomes "lane non-zero" (the low 15 bits plus 0x7FFF
// carry into it unless all zero; the sign bit is or-ed in), and one multiply
// gathers the four bits 15, 31, 47, 63 into bits 48 to 51 (no other products
// reach those bits or carry into them). Little-endian lane order.
inline uint64_t nonZeroPositions(const int16_t *coefficients) {
    constexpr uint64_t kLow15 = 0x7FFF7FFF7FFF7FFFu, kHigh = 0x8000800080008000u, kGather = 0x0001000200040008u;
    uint64_t mask = 0;
    if constexpr (std::endian::native != std::endian::little) {  // the lanes would be the other way round
        for (int k = 0; k < 64; ++k) mask |= uint64_t(coefficients[k] != 0) << k;
        return mask;
    }
    for (int i = 0; i < 16; ++i) {
        uint64_t lanes;
        std::memcpy(&lanes, coefficients + 4 * i, sizeof lanes);
        const uint64_t nonZero = (((lanes & kLow15) + kLow15) | lanes) & kHigh;
        mask |= ((nonZero >> 15) * kGather >> 48) << (4 * i);
    }
    return mask;
}

// Positions from..63 (none when from is 64 or more).
inline uint64_t positionsFrom(int from) { return from < 64 ? ~uint64_t(0) << from : 0; }

// Appends a correction bit to each listed coefficient (all non-zero), in zig-zag
// order: it grows away from zero by the scan's bit when the bit is set and not
// yet there.
void refine(JpegBitReader &bits, int16_t *coefficients, uint64_t positions, int bit) {
    while (positions) {
        const int count = std::min(std::popcount(positions), 32);
        if (bits.available() < count) bits.refill();
        uint32_t corrections = bits.take(count) << (32 - count);  // the first at the top
        for (int i = 0; i < count; ++i, corrections <<= 1) {
            int16_t &coefficient = coefficients[std::countr_zero(positions)];
            positions &= positions - 1;
            // Without branches, as the bits are as good as random.
            const int32_t grows = -int32_t((corrections >> 31) & ((coefficient & bit) == 0));
            const int32_t sign = coefficient >> 15;  // 0 or -1
            coefficient = int16_t(coefficient + (((bit ^ sign) - sign) & grows));
        }
    }
}

}  // namespace

bool TNanoJpegDecoder::decodeDcFirst(JpegBitReader &bits, TNanoJpegComponent &component, int16_t *block) {
    if (!decodeDc(bits, component)) return false;
    block[0] = int16_t(component.dcPredictor * (1 << approximationLow_));
    return true;
}

bool TNanoJpegDecoder::decodeDcRefine(JpegBitReader &bits, TNanoJpegComponent &, int16_t *block) {
    if (bits.available() < 1) bits.refill();
    if (bits.take(1)) block[0] = int16_t(block[0] | 1 << approximationLow_);
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
        block[k] = int16_t(extendSign(bits.take(size), size) * (1 << approximationLow_));
    }
    return true;
}

// A refinement codes the coefficients that become non-zero (always +-bit) by
// the runs of zero coefficients before them; every already non-zero
// coefficient passed on the way, or left in the band after an end-of-band, takes
// one correction bit.
bool TNanoJpegDecoder::decodeAcRefine(JpegBitReader &bits, TNanoJpegComponent &component, int16_t *block) {
    const JpegHuffmanTable &table = huffmanTables_[component.acTable];
    const int bit = 1 << approximationLow_;
    const uint64_t band = positionsFrom(spectralStart_) & ~positionsFrom(spectralEnd_ + 1);
    uint64_t nonZero = nonZeroPositions(block) & band;
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
        refine(bits, block, nonZero & positionsFrom(k) & ~positionsFrom(target), bit);
        if (value != 0) {
            if (target > spectralEnd_) return false;
            block[target] = int16_t(value);
            nonZero |= uint64_t(1) << target;
        }
        k = target + 1;
    }
    if (endOfBandRun_ > 0) {
        refine(bits, block, nonZero & positionsFrom(k), bit);
        --endOfBandRun_;
    }
    return true;
}

bool TNanoJpegDecoder::decodeProgressiveScan() {
    using DecodeBlock = bool (TNanoJpegDecoder::*)(JpegBitReader &, TNanoJpegComponent &, int16_t *);
    // One walk per kind of scan, each with its block decoder built in.
    const auto walkWith = [this](auto step) {
        return walkScan([this](JpegBitReader &bits, TNanoJpegComponent &c, int blockX, int blockY) {
            int16_t *block = c.coefficients.get() + (size_t(blockY) * (c.stride / 8) + size_t(blockX)) * 64;
            return (this->*decltype(step)::value)(bits, c, block);
        });
    };
    if (spectralStart_ == 0)
        return approximationHigh_ == 0 ? walkWith(std::integral_constant<DecodeBlock, &TNanoJpegDecoder::decodeDcFirst>())
                                       : walkWith(std::integral_constant<DecodeBlock, &TNanoJpegDecoder::decodeDcRefine>());
    return approximationHigh_ == 0 ? walkWith(std::integral_constant<DecodeBlock, &TNanoJpegDecoder::decodeAcFirst>())
                                   : walkWith(std::integral_constant<DecodeBlock, &TNanoJpegDecoder::decodeAcRefine>());
}

void TNanoJpegDecoder::transformCoefficients(TNanoJpegComponent &component) {
    const size_t blocksPerRow = component.stride / 8, blockRows = size_t(mcusDown_) * component.samplingY;
    const ptrdiff_t stride = ptrdiff_t(component.stride);
    const int16_t *coefficients = component.coefficients.get();
    for (size_t blockY = 0; blockY < blockRows; ++blockY)
        for (size_t blockX = 0; blockX < blocksPerRow; ++blockX, coefficients += 64) {
            uint8_t *out = component.plane.get() + blockY * 8 * component.stride + blockX * 8;
            uint64_t positions = nonZeroPositions(coefficients);
            if (positions <= 1) {
                const uint8_t sample = jpeg::dcOnlySample(coefficients[0] * component.quant[0]);
                for (int row = 0; row < 8; ++row) std::memset(out + row * stride, sample, 8);
                continue;
            }
            const int last = 63 - std::countl_zero(positions);
            for (; positions; positions &= positions - 1) {
                const int k = std::countr_zero(positions);
                block_[kZigzag[k]] = coefficients[k] * component.quant[k];
            }
            jpeg::inverseDct(block_, jpeg::kRowsUpTo[last], out, stride);
        }
}

}  // namespace zorblit
