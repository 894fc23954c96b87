// The two match finders feed one block writer. Both keep positions relative
// to a segment of at most 1 GB, so 32-bit tables serve any input size.
#include "writers/deflate.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "loaders/checksum.h"
#include "writers/deflate_blocks.h"

namespace zorblit {
namespace {

constexpr size_t kWindow = 32768, kSegment = size_t(1) << 30;
constexpr unsigned kMinMatch = 3, kMaxMatch = 258;

uint32_t load32(const uint8_t *p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint64_t load64(const uint8_t *p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// How many bytes from a and b agree, up to limit (a before b in one buffer).
unsigned matchLength(const uint8_t *a, const uint8_t *b, unsigned limit) {
    unsigned length = 0;
    for (; length + 8 <= limit; length += 8) {
        const uint64_t diff = load64(a + length) ^ load64(b + length);
        if (diff) return length + unsigned(__builtin_ctzll(diff)) / 8;
    }
    while (length < limit && a[length] == b[length]) ++length;
    return length;
}

// Sends symbols to the block writer and flushes a block whenever it is full.
class Emitter {
public:
    Emitter(DeflateBlocks &blocks, const uint8_t *data, bool lastSegment)
        : blocks_(blocks), data_(data), lastSegment_(lastSegment) {}

    void literal(size_t pos) {
        blocks_.literal(data_[pos]);
        done(pos + 1);
    }
    void match(size_t pos, unsigned length, unsigned distance) {
        blocks_.match(length, distance);
        done(pos + length);
    }
    const DeflateBlocks &blocks() const { return blocks_; }
    void finish(size_t end) { blocks_.flush(data_ + blockStart_, end - blockStart_, lastSegment_); }

private:
    void done(size_t covered) {
        if (!blocks_.full()) return;
        blocks_.flush(data_ + blockStart_, covered - blockStart_, false);
        blockStart_ = covered;
    }

    DeflateBlocks &blocks_;
    const uint8_t *data_;
    bool lastSegment_;
    size_t blockStart_ = 0;
};

// One probe per position in a table of the last position of each 4-byte hash;
// a match is taken as soon as it is found, and only its first positions enter
// the table. Runs in filtered rows come from the previous pixel's position.
void parseFast(const uint8_t *data, size_t size, Emitter &emit) {
    const int bits = std::clamp(int(std::bit_width(size)), 8, 14);
    std::vector<uint32_t> last(size_t(1) << bits, 0);  // position + 1; 0: none
    const auto hash = [bits](const uint8_t *p) { return (load32(p) * 0x9E3779B1u) >> (32 - bits); };
    size_t pos = 0;
    while (pos + 4 <= size) {
        const uint32_t h = hash(data + pos), candidate = last[h];
        last[h] = uint32_t(pos + 1);
        const size_t from = candidate - 1;
        unsigned length = 0;
        if (candidate && pos - from <= kWindow && load32(data + from) == load32(data + pos)) {
            const unsigned limit = unsigned(std::min<size_t>(kMaxMatch, size - pos));
            length = 4 + matchLength(data + from + 4, data + pos + 4, limit - 4);
            if (!emit.blocks().worthMatching(data + pos, length, unsigned(pos - from))) length = 0;
        }
        if (length) {
            emit.match(pos, length, unsigned(pos - from));
            const size_t end = pos + length;
            for (size_t p = pos + 1; p < std::min(pos + 3, end) && p + 4 <= size; ++p)
                last[hash(data + p)] = uint32_t(p + 1);
            pos = end;
        } else {
            emit.literal(pos++);
        }
    }
    for (; pos < size; ++pos) emit.literal(pos);
}

// Hash chains over 4-byte prefixes: head holds the latest position of each
// hash, chain the previous position of the same hash for each window slot.
// Hashing three bytes would find more three-byte matches, but in filtered
// pictures those chains fill with short matches that cost about as much as
// literals and use up the search: four bytes gave smaller files, sooner.
class ChainFinder {
public:
    static constexpr unsigned kBits = 15, kMaxChain = 24, kNice = 128, kGood = 16;

    // Small inputs get small tables: no more hashes than positions, and chain
    // slots for the positions there are (all distinct, as in the full window).
    ChainFinder(const uint8_t *data, size_t size, const DeflateBlocks &blocks)
        : data_(data), size_(size), blocks_(blocks), bits_(std::clamp(int(std::bit_width(size)), 8, int(kBits))),
          head_(size_t(1) << bits_, 0), chain_(std::min(std::bit_ceil(std::max<size_t>(size, 1)), kWindow), 0),
          chainMask_(chain_.size() - 1) {}

    // Enters pos (which must have 4 readable bytes) and returns the previous
    // position of its hash + 1, or 0.
    uint32_t insert(size_t pos) {
        const uint32_t h = (load32(data_ + pos) * 0x9E3779B1u) >> (32 - bits_);
        const uint32_t previous = head_[h];
        chain_[pos & chainMask_] = previous;
        head_[h] = uint32_t(pos + 1);
        return previous;
    }

    // The longest match longer than atLeast for pos among the chain from
    // candidate; its length (0 if none) and distance.
    unsigned find(size_t pos, uint32_t candidate, unsigned atLeast, unsigned &distance) const {
        const unsigned limit = unsigned(std::min<size_t>(kMaxMatch, size_ - pos));
        if (atLeast >= limit) return 0;
        unsigned best = std::max(atLeast, kMinMatch - 1), steps = atLeast >= kGood ? kMaxChain / 4 : kMaxChain;
        const uint8_t *here = data_ + pos;
        unsigned found = 0;
        for (; candidate && steps; --steps, candidate = chain_[(candidate - 1) & chainMask_]) {
            const size_t from = candidate - 1;
            if (pos - from > kWindow) break;
            const uint8_t *there = data_ + from;
            if (there[best] != here[best] || load32(there) << 8 != load32(here) << 8) continue;
            const unsigned length = matchLength(there, here, limit);
            if (length <= best) continue;
            if (!blocks_.worthMatching(here, length, unsigned(pos - from))) continue;
            best = found = length;
            distance = unsigned(pos - from);
            if (length >= std::min(kNice, limit)) break;
        }
        return found;
    }

private:
    const uint8_t *data_;
    size_t size_;
    const DeflateBlocks &blocks_;
    int bits_;
    std::vector<uint32_t> head_, chain_;
    size_t chainMask_;
};

// Lazy matching: a match found at pos is held back while the match at pos + 1
// is looked up; if that one is longer, pos goes out as a literal instead.
void parseLazy(const uint8_t *data, size_t size, Emitter &emit) {
    constexpr unsigned kTakeAtOnce = 32;  // matches this long are not second-guessed
    ChainFinder finder(data, size, emit.blocks());
    const size_t hashable = size >= 4 ? size - 3 : 0;  // positions with 4 readable bytes
    size_t pos = 0;
    // Emits a match that covers pos, the last position entered in the chains,
    // enters the rest, and gives the position after the match.
    const auto takeMatch = [&](size_t start, unsigned length, unsigned distance) {
        emit.match(start, length, distance);
        const size_t end = start + length;
        for (size_t p = pos + 1; p < std::min(end, hashable); ++p) finder.insert(p);
        return end;
    };
    unsigned heldLength = 0, heldDistance = 0;
    while (pos < size) {
        unsigned length = 0, distance = 0;
        if (pos < hashable) length = finder.find(pos, finder.insert(pos), heldLength, distance);
        if (heldLength) {
            if (length > heldLength) {
                emit.literal(pos - 1);
                heldLength = length, heldDistance = distance;
                ++pos;
                continue;
            }
            pos = takeMatch(pos - 1, heldLength, heldDistance);
            heldLength = 0;
        } else if (length >= kTakeAtOnce) {
            pos = takeMatch(pos, length, distance);
        } else if (length) {
            heldLength = length, heldDistance = distance;
            ++pos;
        } else {
            emit.literal(pos++);
        }
    }
    if (heldLength) emit.match(pos - 1, heldLength, heldDistance);
}

void writeZlibHeader(DeflateLevel level, std::vector<uint8_t> &out) {
    const unsigned method = 0x78;  // deflate, 32 KB window
    const unsigned flags = (level == DeflateLevel::normal ? 2u : level == DeflateLevel::fast ? 1u : 0u) << 6;
    out.push_back(uint8_t(method));
    out.push_back(uint8_t(flags + 31 - (method * 256 + flags) % 31));
}

}  // namespace

void deflate(const uint8_t *data, size_t size, DeflateLevel level, DeflateFraming framing, std::vector<uint8_t> &out) {
    if (framing == DeflateFraming::zlib) writeZlibHeader(level, out);
    BitWriter bits(out);
    if (level == DeflateLevel::stored) {
        DeflateBlocks::writeStored(bits, data, size, true);
    } else {
        DeflateBlocks blocks(bits);
        blocks.priceLiteralsFrom(data, std::min<size_t>(size, DeflateBlocks::kMaxSymbols));
        size_t done = 0;
        do {
            const size_t segment = std::min(size - done, kSegment);
            Emitter emit(blocks, data + done, done + segment == size);
            (level == DeflateLevel::fast ? parseFast : parseLazy)(data + done, segment, emit);
            emit.finish(segment);
            done += segment;
        } while (done < size);
    }
    bits.finish();
    if (framing == DeflateFraming::zlib) {
        const uint32_t adler = updateAdler32(1, data, size);
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(adler >> shift));
    }
}

}  // namespace zorblit
