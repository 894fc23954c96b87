// Lookup tables for the canonical Huffman codes of deflate.
#pragma once
#include <cstdint>
#include <vector>

namespace zorblit::inflate_detail {

// One table entry: bits 0-7 the code length to consume, bits 8-15 flags and a
// count of extra bits (or a subtable's index bits), bits 16-31 the value. A
// literal entry's count says how many literals follow the first (0 or 1): a
// pair holds both codes' lengths in one and the second byte in bits 24-31.
namespace entry {
constexpr uint32_t literal = 0x80 << 8;
constexpr uint32_t endOfBlock = 0x40 << 8;
constexpr uint32_t subtable = 0x20 << 8;
constexpr uint32_t invalid = 0x10 << 8;

constexpr uint32_t make(uint32_t value, uint32_t flags, uint32_t extraBits) {
    return value << 16 | flags | extraBits << 8;
}
// Lengths stay below 64, so the mask is the one the processor's shift applies.
inline uint32_t codeLength(uint32_t e) { return e & 0x3F; }
inline uint32_t extraBits(uint32_t e) { return (e >> 8) & 0xF; }
inline uint32_t value(uint32_t e) { return e >> 16; }
}  // namespace entry

constexpr unsigned maxCodeLength = 15;
constexpr unsigned maxRootBits = 11;

// Codes are read least significant bit first: the low rootBits of the bit buffer
// index the root table; longer codes continue in a subtable.
class HuffmanTable {
public:
    // lengths[s] is the code length of symbol s (0: unused) and payload[s] its
    // entry without the length. False for over-subscribed codes and for
    // incomplete ones other than a single one-bit code, which deflate allows.
    // rootBits <= maxRootBits.
    bool build(const uint8_t *lengths, unsigned count, const uint32_t *payload, unsigned rootBits);

    // Turns every root entry of a literal whose bits go on with a second
    // literal's whole code into an entry for the pair.
    void pairLiterals();

    uint32_t lookup(uint64_t bits) const {
        uint32_t e = entries_[bits & rootMask_];
        if (e & entry::subtable)
            e = entries_[entry::value(e) + ((bits >> rootBits_) & ((1u << entry::extraBits(e)) - 1))];
        return e;
    }

private:
    std::vector<uint32_t> entries_;
    unsigned rootBits_ = 0;
    uint32_t rootMask_ = 0;
};

}  // namespace zorblit::inflate_detail
