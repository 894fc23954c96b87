// Canonical Huffman codes (RFC 1951 section 3.2.2) turned into lookup tables.
#include "loaders/inflate_huffman.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace zorblit::inflate_detail {
namespace {

constexpr std::array<uint8_t, 256> reversedBytes = [] {
    std::array<uint8_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned i = 0; i < 8; ++i)
            if (b & (1u << i)) table[b] |= uint8_t(0x80 >> i);
    return table;
}();

// The low length bits of code in reverse order (length <= 16).
uint32_t reverseBits(uint32_t code, unsigned length) {
    const uint32_t reversed16 = uint32_t(reversedBytes[code & 0xFF]) << 8 | reversedBytes[(code >> 8) & 0xFF];
    return reversed16 >> (16 - length);
}

}  // namespace

bool HuffmanTable::build(const uint8_t *lengths, unsigned count, const uint32_t *payload, unsigned rootBits) {
    std::array<unsigned, maxCodeLength + 1> lengthCount{};
    for (unsigned s = 0; s < count; ++s) ++lengthCount[lengths[s]];
    lengthCount[0] = 0;

    // Kraft sum: codes left unassigned at each length.
    int32_t left = 1;
    unsigned used = 0;
    for (unsigned len = 1; len <= maxCodeLength; ++len) {
        left = left * 2 - int32_t(lengthCount[len]);
        if (left < 0) return false;
        used += lengthCount[len];
    }
    if (left > 0 && used > 0 && !(used == 1 && lengthCount[1] == 1)) return false;

    std::array<uint32_t, maxCodeLength + 1> nextCode{};
    for (unsigned len = 1, code = 0; len <= maxCodeLength; ++len) {
        code = (code + lengthCount[len - 1]) << 1;
        nextCode[len] = code;
    }

    // Codes longer than the root share a subtable per root prefix, sized by the
    // longest code with that prefix.
    const uint32_t rootSize = 1u << rootBits;
    std::array<uint32_t, 288> reversed{};
    std::array<uint8_t, size_t(1) << maxRootBits> subBits{};
    for (unsigned s = 0; s < count; ++s) {
        if (!lengths[s]) continue;
        reversed[s] = reverseBits(nextCode[lengths[s]]++, lengths[s]);
        if (lengths[s] > rootBits) {
            uint8_t &bits = subBits[reversed[s] & (rootSize - 1)];
            bits = std::max<uint8_t>(bits, uint8_t(lengths[s] - rootBits));
        }
    }

    entries_.assign(rootSize, entry::invalid);
    for (uint32_t prefix = 0; prefix < rootSize; ++prefix) {
        if (!subBits[prefix]) continue;
        entries_[prefix] = entry::make(uint32_t(entries_.size()), entry::subtable, subBits[prefix]);
        entries_.resize(entries_.size() + (size_t(1) << subBits[prefix]), entry::invalid);
    }

    for (unsigned s = 0; s < count; ++s) {
        const unsigned len = lengths[s];
        if (!len) continue;
        const uint32_t filled = payload[s] | len;
        if (len <= rootBits) {
            for (uint32_t i = reversed[s]; i < rootSize; i += 1u << len) entries_[i] = filled;
        } else {
            const uint32_t root = entries_[reversed[s] & (rootSize - 1)];
            const uint32_t base = entry::value(root), size = 1u << entry::extraBits(root);
            for (uint32_t i = reversed[s] >> rootBits; i < size; i += 1u << (len - rootBits))
                entries_[base + i] = filled;
        }
    }
    rootBits_ = rootBits;
    rootMask_ = rootSize - 1;
    return true;
}

void HuffmanTable::pairLiterals() {
    // Downwards: the second code's entry (the bits after the first code) lies
    // at a lower index and is still a single literal.
    for (uint32_t i = rootMask_ + 1; i-- > 0;) {
        const uint32_t first = entries_[i];
        if (!(first & entry::literal)) continue;
        const unsigned length = entry::codeLength(first);
        const uint32_t second = entries_[i >> length];
        const unsigned total = length + entry::codeLength(second);
        if (!(second & entry::literal) || total > rootBits_) continue;
        entries_[i] = entry::make(entry::value(first) | entry::value(second) << 8, entry::literal, 1) | total;
    }
}

}  // namespace zorblit::inflate_detail
