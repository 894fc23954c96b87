// Inflate: stored, fixed-code and dynamic-code blocks (RFC 1951) and the zlib
// wrapper (RFC 1950). One refill of the 64-bit bit buffer covers a whole
// length/distance pair; away from the ends of input and output the symbol loop
// checks neither, and one table entry may hold two literals.
#include "loaders/inflate.h"

#include <array>

#include "loaders/checksum.h"
#include "loaders/inflate_bits.h"
#include "loaders/inflate_huffman.h"
#include "loaders/inflate_output.h"

namespace zorblit {
namespace {

using namespace inflate_detail;

constexpr unsigned literalRootBits = maxRootBits, distanceRootBits = 8, codeLengthRootBits = 7;

constexpr std::array<uint16_t, 29> lengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> lengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> distanceBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                                   33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> distanceExtra = {0, 0, 0, 0, 1, 1, 2, 2, 3,  3,  4,  4,  5,  5,  6,
                                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// What each symbol means, as table entries without their code length.
constexpr std::array<uint32_t, 288> literalPayload = [] {
    std::array<uint32_t, 288> p{};
    for (uint32_t s = 0; s < 256; ++s) p[s] = entry::make(s, entry::literal, 0);
    p[256] = entry::make(0, entry::endOfBlock, 0);
    for (uint32_t s = 257; s < 286; ++s) p[s] = entry::make(lengthBase[s - 257], 0, lengthExtra[s - 257]);
    p[286] = p[287] = entry::invalid;
    return p;
}();
constexpr std::array<uint32_t, 32> distancePayload = [] {
    std::array<uint32_t, 32> p{};
    for (uint32_t s = 0; s < 30; ++s) p[s] = entry::make(distanceBase[s], 0, distanceExtra[s]);
    p[30] = p[31] = entry::invalid;
    return p;
}();
constexpr std::array<uint32_t, 19> codeLengthPayload = [] {
    std::array<uint32_t, 19> p{};
    for (uint32_t s = 0; s < 19; ++s) p[s] = entry::make(s, 0, 0);
    return p;
}();

struct FixedTables {
    HuffmanTable literals, distances;
    FixedTables() {
        std::array<uint8_t, 288> lengths{};
        for (size_t s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        literals.build(lengths.data(), 288, literalPayload.data(), literalRootBits);
        literals.pairLiterals();
        // All 32 distance codes are 5 bits; the last two never occur in valid data.
        std::array<uint8_t, 32> distanceLengths;
        distanceLengths.fill(5);
        distances.build(distanceLengths.data(), 32, distancePayload.data(), distanceRootBits);
    }
};

const FixedTables &fixedTables() {
    static const FixedTables tables;
    return tables;
}

uint32_t loadBig32(const uint8_t *p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

bool validZlibHeader(const uint8_t *p) {
    const unsigned method = p[0] & 0x0F, windowBits = p[0] >> 4;
    const bool presetDictionary = p[1] & 0x20;
    return (p[0] * 256u + p[1]) % 31 == 0 && method == 8 && windowBits <= 7 && !presetDictionary;
}

class Inflater {
public:
    Inflater(const ByteSpan *spans, size_t count, size_t inputSize, size_t limit)
        : bits_(spans, count), out_(inputSize * 4, limit) {}

    bool readZlibHeader() {
        uint8_t header[2];
        return bits_.copyBytes(header, 2) && validZlibHeader(header);
    }

    // Decodes blocks up to and including the final one.
    bool run() {
        for (;;) {
            bits_.refill();
            const uint32_t header = bits_.take(3);
            bool ok = false;
            switch (header >> 1) {
                case 0: ok = storedBlock(); break;
                case 1: ok = codedBlock(fixedTables().literals, fixedTables().distances); break;
                case 2: ok = dynamicBlock(); break;
                default: return false;
            }
            if (!ok || bits_.overrun()) return false;
            if (header & 1) return true;
        }
    }

    // The Adler-32 trailer follows the final block at the next byte boundary.
    bool checkZlibTrailer() {
        uint8_t trailer[4];
        bits_.alignToByte();
        return bits_.copyBytes(trailer, 4) && loadBig32(trailer) == updateAdler32(1, out_.data(), out_.size());
    }
    OutputBuffer &output() { return out_; }

private:
    bool storedBlock() {
        uint8_t p[4];
        bits_.alignToByte();
        if (!bits_.copyBytes(p, 4)) return false;
        const size_t length = p[0] | p[1] << 8, complement = p[2] | p[3] << 8;
        if ((length ^ complement) != 0xFFFF || !out_.reserve(length) || !bits_.copyBytes(out_.end(), length))
            return false;
        out_.advance(length);
        return true;
    }

    bool dynamicBlock() {
        static constexpr std::array<uint8_t, 19> order = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                                          11, 4,  12, 3, 13, 2, 14, 1, 15};
        const unsigned literalCount = bits_.take(5) + 257, distanceCount = bits_.take(5) + 1;
        const unsigned codeLengthCount = bits_.take(4) + 4;
        if (literalCount > 286 || distanceCount > 30) return false;
        std::array<uint8_t, 19> codeLengthLengths{};
        for (unsigned i = 0; i < codeLengthCount; ++i) {
            bits_.refill();
            codeLengthLengths[order[i]] = uint8_t(bits_.take(3));
        }
        if (!codeLengths_.build(codeLengthLengths.data(), 19, codeLengthPayload.data(), codeLengthRootBits))
            return false;

        // Literal/length and distance code lengths form one sequence; repeats may
        // cross from one to the other.
        std::array<uint8_t, 286 + 30> lengths{};
        const unsigned total = literalCount + distanceCount;
        for (unsigned i = 0; i < total;) {
            bits_.refill();
            const uint32_t e = codeLengths_.lookup(bits_.peek());
            if (e & entry::invalid) return false;
            bits_.consume(entry::codeLength(e));
            const uint32_t symbol = entry::value(e);
            if (symbol < 16) {
                lengths[i++] = uint8_t(symbol);
                continue;
            }
            uint8_t repeated = 0;
            unsigned count;
            if (symbol == 16) {
                if (i == 0) return false;
                repeated = lengths[i - 1];
                count = 3 + bits_.take(2);
            } else if (symbol == 17) {
                count = 3 + bits_.take(3);
            } else {
                count = 11 + bits_.take(7);
            }
            if (count > total - i) return false;
            for (; count; --count) lengths[i++] = repeated;
        }
        if (bits_.overrun() || lengths[256] == 0) return false;
        if (!literals_.build(lengths.data(), literalCount, literalPayload.data(), literalRootBits) ||
            !distances_.build(lengths.data() + literalCount, distanceCount, distancePayload.data(),
                              distanceRootBits))
            return false;
        literals_.pairLiterals();
        return codedBlock(literals_, distances_);
    }

    enum class Step { more, endOfBlock, damaged };

    bool codedBlock(const HuffmanTable &literals, const HuffmanTable &distances) {
        for (;;) {
            Step step = fastSymbols(literals, distances);
            if (step == Step::more) step = oneSymbol(literals, distances);
            if (step != Step::more) return step == Step::endOfBlock;
        }
    }

    // Decodes while the current input block holds 8 more bytes and the output
    // has room for the longest match, with no further checks of either. After
    // one refill the buffer holds at least 56 bits: enough for a length code
    // with its extra bits (15 + 5) and a distance code with its (15 + 13), or
    // for two literal entries.
    Step fastSymbols(const HuffmanTable &literals, const HuffmanTable &distances) {
        constexpr size_t longestMatch = 258;
        if (!out_.makeRoom(longestMatch)) return Step::more;
        BitReader::Window w = bits_.window();
        const uint8_t *const blockEnd = bits_.blockEnd();
        uint8_t *const start = out_.data(), *out = out_.end();
        uint8_t *const lastStart = out_.roomEnd() - longestMatch;
        Step step = Step::more;
        if (!w.hasEightBytes(blockEnd) || out > lastStart) return step;
        w.refill();
        // The entry for the next code; after two literals the buffer still
        // holds the 15 bits it needs, so the refill need not come first.
        uint32_t e = literals.lookup(w.bits);
        for (;;) {
            if (e & entry::literal) {
                w.consume(entry::codeLength(e));
                out = putLiterals(out, e);
                e = literals.lookup(w.bits);
                if (e & entry::literal) {
                    w.consume(entry::codeLength(e));
                    out = putLiterals(out, e);
                    e = literals.lookup(w.bits);
                }
                if (!w.hasEightBytes(blockEnd) || out > lastStart) break;
                w.refill();
                continue;
            }
            if (e & (entry::endOfBlock | entry::invalid)) {
                w.consume(entry::codeLength(e));
                step = e & entry::endOfBlock ? Step::endOfBlock : Step::damaged;
                break;
            }
            w.consume(entry::codeLength(e));
            const size_t length = entry::value(e) + lowBits(w.bits, entry::extraBits(e));
            w.consume(entry::extraBits(e));
            const uint32_t d = distances.lookup(w.bits);
            w.consume(entry::codeLength(d));
            const size_t distance = entry::value(d) + lowBits(w.bits, entry::extraBits(d));
            w.consume(entry::extraBits(d));
            if ((d & entry::invalid) || distance > size_t(out - start)) {
                step = Step::damaged;
                break;
            }
            copyMatch(out, distance, length);
            out += length;
            if (!w.hasEightBytes(blockEnd) || out > lastStart) break;
            w.refill();
            e = literals.lookup(w.bits);
        }
        bits_.setWindow(w);
        out_.setEnd(out);
        return step;
    }

    // One symbol with every check, near the end of the input or the output.
    Step oneSymbol(const HuffmanTable &literals, const HuffmanTable &distances) {
        bits_.refill();
        if (bits_.overrun()) return Step::damaged;
        const uint32_t e = literals.lookup(bits_.peek());
        bits_.consume(entry::codeLength(e));
        if (e & entry::literal) {
            if (!out_.reserve(1 + entry::extraBits(e))) return Step::damaged;
            out_.setEnd(putLiterals(out_.end(), e));
            return Step::more;
        }
        if (e & entry::endOfBlock) return Step::endOfBlock;
        if (e & entry::invalid) return Step::damaged;
        const size_t length = entry::value(e) + bits_.take(entry::extraBits(e));
        const uint32_t d = distances.lookup(bits_.peek());
        if (d & entry::invalid) return Step::damaged;
        bits_.consume(entry::codeLength(d));
        const size_t distance = entry::value(d) + bits_.take(entry::extraBits(d));
        if (distance > out_.size() || !out_.reserve(length)) return Step::damaged;
        copyMatch(out_.end(), distance, length);
        out_.advance(length);
        return Step::more;
    }

    static uint64_t lowBits(uint64_t bits, unsigned n) { return bits & ((uint64_t(1) << n) - 1); }

    // Writes a literal entry's one or two bytes: two always (within the
    // buffer's slack), the second overwritten later when the entry holds one.
    static uint8_t *putLiterals(uint8_t *out, uint32_t e) {
        out[0] = uint8_t(e >> 16);
        out[1] = uint8_t(e >> 24);
        return out + 1 + entry::extraBits(e);
    }

    BitReader bits_;
    OutputBuffer out_;
    HuffmanTable codeLengths_, literals_, distances_;
};

}  // namespace

bool inflate(const ByteSpan *input, size_t spanCount, DeflateFraming framing, size_t maxOutput, InflatedBytes &out) {
    size_t inputSize = 0;
    for (size_t i = 0; i < spanCount; ++i) inputSize += input[i].size;
    Inflater inflater(input, spanCount, inputSize, maxOutput);
    const bool zlib = framing == DeflateFraming::zlib;
    if ((zlib && !inflater.readZlibHeader()) || !inflater.run() || (zlib && !inflater.checkZlibTrailer()))
        return false;
    inflater.output().moveTo(out);
    return true;
}

}  // namespace zorblit
