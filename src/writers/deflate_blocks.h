// Deflate blocks (RFC 1951) from a parse into literals and matches: each block
// is written stored, with the fixed codes or with its own codes, whichever is
// smallest.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "writers/bit_writer.h"

namespace zorblit {

class DeflateBlocks {
public:
    static constexpr size_t kMaxSymbols = 1 << 15;

    explicit DeflateBlocks(BitWriter &bits);

    void literal(uint8_t byte) {
        symbols_.push_back({byte, 0});
        ++litFreqs_[byte];
    }
    // length 3..258, distance 1..32768.
    void match(unsigned length, unsigned distance);
    bool full() const { return symbols_.size() >= kMaxSymbols; }

    // Prices literals by their frequencies in a sample of the input, for the
    // first block, which has no block before it.
    void priceLiteralsFrom(const uint8_t *sample, size_t size);

    // Whether a match takes fewer bits than its bytes as literals, both priced
    // with the codes of the last coded block (the fixed codes before the first).
    // In filtered pictures literals are cheap, and short matches often are not.
    bool worthMatching(const uint8_t *bytes, unsigned length, unsigned distance) const {
        unsigned literalBits = 0;
        for (unsigned i = 0; i < length; ++i) literalBits += literalPrice_[bytes[i]];
        return matchPrice(length, distance) < literalBits;
    }

    // Writes the symbols gathered since the last flush as one block; bytes are
    // the input they stand for. Empty input still makes a (final) block.
    void flush(const uint8_t *bytes, size_t size, bool last);

    // Writes bytes as stored blocks only.
    static void writeStored(BitWriter &bits, const uint8_t *bytes, size_t size, bool last);

private:
    struct Symbol {
        uint16_t value;     // literal byte, or match length
        uint16_t distance;  // 0 for a literal
    };
    struct Code {
        std::array<uint8_t, 288> litLengths;
        std::array<uint16_t, 288> litCodes;
        std::array<uint8_t, 32> distLengths;
        std::array<uint16_t, 32> distCodes;
    };
    struct TreeHeader;

    static const Code &fixedCode();
    void reset();
    void setPrices(const Code &code);
    unsigned matchPrice(unsigned length, unsigned distance) const;
    uint64_t codedBits(const Code &code) const;
    void writeSymbols(const Code &code);

    BitWriter &bits_;
    std::vector<Symbol> symbols_;
    std::array<uint32_t, 286> litFreqs_;
    std::array<uint32_t, 30> distFreqs_;
    std::array<uint8_t, 256> literalPrice_, lengthPrice_;  // lengths by length - 3, extra bits included
    std::array<uint8_t, 30> distancePrice_;
};

}  // namespace zorblit
