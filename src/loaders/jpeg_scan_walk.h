// What the sequential and the progressive scans share: the order in which a
// scan codes its blocks (several components interleave their blocks MCU by MCU;
// a scan of one component codes its own blocks row by row, one per MCU), and the
// DC difference.
#pragma once
#include <algorithm>

#include "loaders/jpeg_decoder.h"

namespace zorblit {
namespace jpeg {

// A code and its extra bits take at most 16 + 15 bits.
constexpr int kBitsPerCoefficient = 31;

// Real DC values stay within 12 bits; the bound only keeps hostile sums finite.
constexpr int32_t kPredictorLimit = 1 << 15;

}  // namespace jpeg

// Adds the next DC difference to the component's predictor; false when the bits
// start no code.
inline bool TNanoJpegDecoder::decodeDc(jpeg::JpegBitReader &bits, TNanoJpegComponent &component) {
    if (bits.available() < jpeg::kBitsPerCoefficient) bits.refill();
    const jpeg::JpegHuffmanTable &table = huffmanTables_[component.dcTable];
    int32_t difference;
    // Fast path: a short code with its extra bits.
    if (const int32_t packed = table.shortCoefficient(bits.peek(jpeg::JpegHuffmanTable::kLookaheadBits))) {
        bits.consume(packed & 0xFF);
        difference = packed >> 16;
    } else {
        const int symbol = table.decode(bits);
        if (symbol < 0) return false;
        const int size = symbol & 15;
        difference = jpeg::extendSign(bits.take(size), size);
    }
    component.dcPredictor =
        std::clamp(component.dcPredictor + difference, -jpeg::kPredictorLimit, jpeg::kPredictorLimit);
    return true;
}

template <class DecodeBlock, class RowDone>
bool TNanoJpegDecoder::walkScan(DecodeBlock &&decodeBlock, RowDone &&rowDone) {
    jpeg::JpegBitReader bits(pos_, pos_ + left_);
    for (TNanoJpegComponent &c : components_) c.dcPredictor = 0;
    endOfBandRun_ = 0;
    const bool interleaved = scanCount_ > 1;
    const int across = interleaved ? mcusAcross_ : scanComponents_[0]->blocksAcross;
    const int down = interleaved ? mcusDown_ : scanComponents_[0]->blocksDown;
    unsigned untilRestart = restartInterval_;
    int restartIndex = 0;
    for (int mcuY = 0; mcuY < down; ++mcuY) {
        for (int mcuX = 0; mcuX < across; ++mcuX) {
            for (size_t i = 0; i < scanCount_; ++i) {
                TNanoJpegComponent &c = *scanComponents_[i];
                const int blocksX = interleaved ? c.samplingX : 1, blocksY = interleaved ? c.samplingY : 1;
                for (int blockY = 0; blockY < blocksY; ++blockY)
                    for (int blockX = 0; blockX < blocksX; ++blockX)
                        if (!decodeBlock(bits, c, mcuX * blocksX + blockX, mcuY * blocksY + blockY))
                            return bits.nearEnd() ? damaged("JPEG data ends early", pos_ + left_)
                                                  : damaged("damaged Huffman data", bits.position());
            }
            if (bits.overrun()) return damaged("JPEG data ends early", pos_ + left_);

            const bool lastMcu = mcuY == down - 1 && mcuX == across - 1;
            if (restartInterval_ == 0 || --untilRestart > 0 || lastMcu) continue;
            if (!readRestartMarker(bits, restartIndex))
                return damaged("JPEG restart marker missing or out of sequence", bits.position());
            restartIndex = (restartIndex + 1) & 7;
            untilRestart = restartInterval_;
            for (TNanoJpegComponent &c : components_) c.dcPredictor = 0;
            endOfBandRun_ = 0;
        }
        rowDone(mcuY);
    }
    return true;
}

}  // namespace zorblit
