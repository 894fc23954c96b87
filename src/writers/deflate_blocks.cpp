#include "writers/deflate_blocks.h"

#include <algorithm>

#include "writers/huffman_lengths.h"

namespace zorblit {
namespace {

constexpr unsigned kEndOfBlock = 256, kLengthSymbols = 257, kLitCount = 286, kDistCount = 30;
constexpr size_t kStoredMax = 65535;

// Length and distance codes: base values, extra bits, and lookups from a value
// to its code (distances above 256 looked up by (distance - 1) >> 7).
struct CodeTables {
    uint16_t lengthBase[29]{};
    uint8_t lengthExtra[29]{};
    uint16_t distBase[30]{};
    uint8_t distExtra[30]{};
    uint8_t lengthIndex[256]{};  // by length - 3
    uint8_t distIndex[512]{};
};

constexpr CodeTables makeCodeTables() {
    CodeTables t{};
    unsigned base = 3;
    for (unsigned i = 0; i < 28; ++i) {
        t.lengthExtra[i] = uint8_t(i < 8 ? 0 : i / 4 - 1);
        t.lengthBase[i] = uint16_t(base);
        for (unsigned k = 0; k < (1u << t.lengthExtra[i]) && base + k <= 258; ++k) t.lengthIndex[base + k - 3] = uint8_t(i);
        base += 1u << t.lengthExtra[i];
    }
    t.lengthBase[28] = 258;  // 258 has a code of its own
    t.lengthIndex[258 - 3] = 28;
    base = 1;
    for (unsigned i = 0; i < 30; ++i) {
        t.distExtra[i] = uint8_t(i < 4 ? 0 : i / 2 - 1);
        t.distBase[i] = uint16_t(base);
        for (unsigned k = 0; k < (1u << t.distExtra[i]); ++k) {
            const unsigned d = base + k - 1;
            t.distIndex[d < 256 ? d : 256 + (d >> 7)] = uint8_t(i);
        }
        base += 1u << t.distExtra[i];
    }
    return t;
}

constexpr CodeTables kTables = makeCodeTables();

unsigned distIndexOf(unsigned distance) {
    const unsigned d = distance - 1;
    return kTables.distIndex[d < 256 ? d : 256 + (d >> 7)];
}

// The order in which the code-length code's lengths are sent.
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
constexpr uint8_t kCodeLengthExtra[19] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};

size_t usedCount(const uint8_t *lengths, size_t count, size_t least) {
    while (count > least && lengths[count - 1] == 0) --count;
    return count;
}

}  // namespace

// A block's own codes as sent: the code lengths run-length coded with the
// code-length code.
struct DeflateBlocks::TreeHeader {
    struct Item {
        uint8_t symbol, extra;
    };
    std::vector<Item> items;
    std::array<uint8_t, 19> lengths{};
    std::array<uint16_t, 19> codes{};
    unsigned litCount = 0, distCount = 0, lengthCount = 0;
    uint64_t bits = 0;

    explicit TreeHeader(const Code &code) {
        litCount = unsigned(usedCount(code.litLengths.data(), kLitCount, kLengthSymbols));
        distCount = unsigned(usedCount(code.distLengths.data(), kDistCount, 1));
        std::array<uint8_t, kLitCount + kDistCount> all{};
        std::copy_n(code.litLengths.begin(), litCount, all.begin());
        std::copy_n(code.distLengths.begin(), distCount, all.begin() + litCount);
        runLengths(all.data(), litCount + distCount);
        std::array<uint32_t, 19> freqs{};
        for (const Item &item : items) ++freqs[item.symbol];
        buildCodeLengths(freqs.data(), 19, 7, lengths.data());
        canonicalCodes(lengths.data(), 19, codes.data());
        lengthCount = 19;
        while (lengthCount > 4 && lengths[kCodeLengthOrder[lengthCount - 1]] == 0) --lengthCount;
        bits = 5 + 5 + 4 + 3 * lengthCount;
        for (unsigned s = 0; s < 19; ++s) bits += uint64_t(freqs[s]) * (lengths[s] + kCodeLengthExtra[s]);
    }

    void runLengths(const uint8_t *all, size_t count) {
        for (size_t i = 0; i < count;) {
            const uint8_t value = all[i];
            size_t run = 1;
            while (i + run < count && all[i + run] == value) ++run;
            i += run;
            if (value == 0) {
                for (; run >= 11; run -= std::min<size_t>(run, 138)) items.push_back({18, uint8_t(std::min<size_t>(run, 138) - 11)});
                if (run >= 3) {
                    items.push_back({17, uint8_t(run - 3)});
                    run = 0;
                }
            } else {
                items.push_back({value, 0});
                --run;
                for (; run >= 3; run -= std::min<size_t>(run, 6)) items.push_back({16, uint8_t(std::min<size_t>(run, 6) - 3)});
            }
            for (; run; --run) items.push_back({value, 0});
        }
    }

    void write(BitWriter &out) const {
        out.put(litCount - 257, 5);
        out.put(distCount - 1, 5);
        out.put(lengthCount - 4, 4);
        for (unsigned i = 0; i < lengthCount; ++i) out.put(lengths[kCodeLengthOrder[i]], 3);
        for (const Item &item : items)
            out.put(codes[item.symbol] | uint32_t(item.extra) << lengths[item.symbol],
                     lengths[item.symbol] + kCodeLengthExtra[item.symbol]);
    }
};

DeflateBlocks::DeflateBlocks(BitWriter &bits) : bits_(bits) {
    symbols_.reserve(kMaxSymbols);
    reset();
    setPrices(fixedCode());
}

// A symbol the code leaves out is priced one bit above the longest code, about
// what it would get if it were used.
void DeflateBlocks::setPrices(const Code &code) {
    const auto prices = [](const uint8_t *lengths, size_t count, uint8_t *out) {
        const unsigned unused = std::min(unsigned(*std::max_element(lengths, lengths + count)) + 1, 15u);
        for (size_t s = 0; s < count; ++s) out[s] = uint8_t(lengths[s] ? lengths[s] : unused);
    };
    std::array<uint8_t, kLitCount> lit;
    prices(code.litLengths.data(), kLitCount, lit.data());
    prices(code.distLengths.data(), kDistCount, distancePrice_.data());
    std::copy_n(lit.begin(), 256, literalPrice_.begin());
    for (unsigned length = 3; length <= 258; ++length) {
        const unsigned li = kTables.lengthIndex[length - 3];
        lengthPrice_[length - 3] = uint8_t(lit[kLengthSymbols + li] + kTables.lengthExtra[li]);
    }
    for (unsigned d = 0; d < kDistCount; ++d) distancePrice_[d] = uint8_t(distancePrice_[d] + kTables.distExtra[d]);
}

void DeflateBlocks::priceLiteralsFrom(const uint8_t *sample, size_t size) {
    std::array<uint32_t, 256> freqs{};
    for (size_t i = 0; i < size; ++i) ++freqs[sample[i]];
    std::array<uint8_t, 256> lengths;
    buildCodeLengths(freqs.data(), 256, 15, lengths.data());
    const unsigned unused = std::min(unsigned(*std::max_element(lengths.begin(), lengths.end())) + 1, 15u);
    for (unsigned b = 0; b < 256; ++b) literalPrice_[b] = uint8_t(lengths[b] ? lengths[b] : unused);
}

unsigned DeflateBlocks::matchPrice(unsigned length, unsigned distance) const {
    return lengthPrice_[length - 3] + distancePrice_[distIndexOf(distance)];
}

void DeflateBlocks::reset() {
    symbols_.clear();
    litFreqs_.fill(0);
    distFreqs_.fill(0);
}

void DeflateBlocks::match(unsigned length, unsigned distance) {
    symbols_.push_back({uint16_t(length), uint16_t(distance)});
    ++litFreqs_[kLengthSymbols + kTables.lengthIndex[length - 3]];
    ++distFreqs_[distIndexOf(distance)];
}

uint64_t DeflateBlocks::codedBits(const Code &code) const {
    uint64_t bits = 0;
    for (unsigned s = 0; s < kLitCount; ++s) bits += uint64_t(litFreqs_[s]) * code.litLengths[s];
    for (unsigned i = 0; i < 29; ++i) bits += uint64_t(litFreqs_[kLengthSymbols + i]) * kTables.lengthExtra[i];
    for (unsigned i = 0; i < kDistCount; ++i) bits += uint64_t(distFreqs_[i]) * (code.distLengths[i] + kTables.distExtra[i]);
    return bits;
}

void DeflateBlocks::writeSymbols(const Code &code) {
    for (const Symbol &s : symbols_) {
        if (s.distance == 0) {
            bits_.put(code.litCodes[s.value], code.litLengths[s.value]);
            continue;
        }
        const unsigned li = kTables.lengthIndex[s.value - 3], l = kLengthSymbols + li;
        bits_.put(code.litCodes[l] | uint32_t(s.value - kTables.lengthBase[li]) << code.litLengths[l],
                  code.litLengths[l] + kTables.lengthExtra[li]);
        const unsigned d = distIndexOf(s.distance);
        bits_.put(code.distCodes[d] | uint32_t(s.distance - kTables.distBase[d]) << code.distLengths[d],
                  code.distLengths[d] + kTables.distExtra[d]);
    }
    bits_.put(code.litCodes[kEndOfBlock], code.litLengths[kEndOfBlock]);
}

void DeflateBlocks::writeStored(BitWriter &bits, const uint8_t *bytes, size_t size, bool last) {
    bits.reserve(size + (size / kStoredMax + 1) * 5);
    do {
        const size_t chunk = std::min(size, kStoredMax);
        size -= chunk;
        bits.put(last && size == 0 ? 1 : 0, 3);
        bits.alignToByte();
        bits.put(uint32_t(chunk) | uint32_t(~chunk & 0xFFFF) << 16, 32);
        bits.putBytes(bytes, chunk);
        bytes += chunk;
    } while (size);
}

void DeflateBlocks::flush(const uint8_t *bytes, size_t size, bool last) {
    ++litFreqs_[kEndOfBlock];
    Code own;
    buildCodeLengths(litFreqs_.data(), kLitCount, 15, own.litLengths.data());
    buildCodeLengths(distFreqs_.data(), kDistCount, 15, own.distLengths.data());
    // Without matches the distance code is still sent, complete: two 1-bit codes.
    if (std::all_of(distFreqs_.begin(), distFreqs_.end(), [](uint32_t f) { return f == 0; }))
        own.distLengths[0] = own.distLengths[1] = 1;
    std::fill(own.litLengths.begin() + kLitCount, own.litLengths.end(), 0);
    std::fill(own.distLengths.begin() + kDistCount, own.distLengths.end(), 0);
    canonicalCodes(own.litLengths.data(), own.litLengths.size(), own.litCodes.data());
    canonicalCodes(own.distLengths.data(), own.distLengths.size(), own.distCodes.data());
    const TreeHeader header(own);

    const uint64_t ownBits = 3 + header.bits + codedBits(own), fixedBits = 3 + codedBits(fixedCode());
    const unsigned pad = (8 - (bits_.pendingBits() + 3) % 8) % 8;
    const uint64_t chunks = size ? (size + kStoredMax - 1) / kStoredMax : 1;
    const uint64_t storedBits = pad + chunks * (3 + 32) + (chunks - 1) * 5 + 8 * uint64_t(size);
    if (storedBits < std::min(ownBits, fixedBits)) {
        writeStored(bits_, bytes, size, last);
    } else if (fixedBits <= ownBits) {
        bits_.reserve(fixedBits / 8 + 8);
        bits_.put(last ? 3 : 2, 3);
        writeSymbols(fixedCode());
        setPrices(fixedCode());
    } else {
        bits_.reserve(ownBits / 8 + 8);
        bits_.put(last ? 5 : 4, 3);
        header.write(bits_);
        writeSymbols(own);
        setPrices(own);
    }
    reset();
}

const DeflateBlocks::Code &DeflateBlocks::fixedCode() {
    static const DeflateBlocks::Code code = [] {
        DeflateBlocks::Code c{};
        for (unsigned s = 0; s < 288; ++s) c.litLengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        c.distLengths.fill(5);
        canonicalCodes(c.litLengths.data(), 288, c.litCodes.data());
        canonicalCodes(c.distLengths.data(), 32, c.distCodes.data());
        return c;
    }();
    return code;
}

}  // namespace zorblit
