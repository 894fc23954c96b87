// JPEG Huffman tables: canonical codes of 1 to 16 bits, decoded through a
// lookahead table for the short codes and a per-length search for the rest.
#pragma once
#include <array>
#include <cstdint>

#include "loaders/jpeg_bits.h"

namespace zorblit::jpeg {

// Extends v, read as n extra bits, to the signed value it codes (T.81 F.2.2.1).
inline int32_t extendSign(uint32_t v, int n) {
    return n == 0 || v >= (1u << (n - 1)) ? int32_t(v) : int32_t(v) - (int32_t(1) << n) + 1;
}

class JpegHuffmanTable {
public:
    static constexpr int kLookaheadBits = 10;

    // Builds the codes from the 16 counts of codes per length and the symbols in
    // code order. False when the counts ask for more codes than fit, or for more
    // than 256 symbols.
    bool build(const uint8_t counts[16], const uint8_t *symbols);

    // The next symbol, or -1 when the bits start no code. Needs 16 bits available.
    int decode(JpegBitReader &bits) const {
        uint32_t entry = lookahead_[bits.peek(kLookaheadBits)];
        if (entry == 0) entry = decodeLong(bits.peek(16));
        bits.consume(int(entry >> 8));
        return entry != 0 ? int(entry & 0xFF) : -1;
    }

    // A code and its extra bits that fit in the lookahead together, packed as
    // value << 16 | advance << 8 | total length, where advance is run + 1 (for
    // AC tables: how far the zig-zag position moves); 0 when they do not fit.
    // The two codes without extra bits that a sequential AC table uses get an
    // entry too, with value 0: end of block (symbol 0, advance kEndOfBlock) and
    // sixteen zeros (symbol 0xF0, advance 16). Read from a DC table, value and
    // length are the difference and the bits it took.
    int32_t shortCoefficient(uint32_t lookahead) const { return shortCoefficients_[lookahead]; }
    static constexpr int kEndOfBlock = 64;

private:
    // The entry (as in lookahead_) of the code longer than the lookahead that
    // starts the next 16 bits; 0 for none. It takes the bits rather than the
    // reader, so that a decoder's reader can live in registers.
    uint32_t decodeLong(uint32_t next16) const;

    // Entry for each lookahead pattern: code length << 8 | symbol, 0 for none.
    std::array<uint16_t, 1 << kLookaheadBits> lookahead_{};
    std::array<int32_t, 1 << kLookaheadBits> shortCoefficients_{};
    // Largest code of each length (-1: none) and the offset from a code of that
    // length to its symbol's index.
    std::array<int32_t, 17> maxCode_{};
    std::array<int32_t, 17> symbolOffset_{};
    std::array<uint8_t, 256> symbols_{};
};

}  // namespace zorblit::jpeg
