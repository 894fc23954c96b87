// Bits sent low bit first into a growing byte vector, as deflate packs them.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zorblit {

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t> &out) : out_(out), pos_(out.size()) {}

    // Makes room for more bytes; put and putBytes write only into room made so.
    void reserve(size_t more) {
        const size_t needed = pos_ + more + 16;
        if (out_.size() < needed) out_.resize(std::max(needed, out_.size() + out_.size() / 2));
    }

    // Sends the low count bits of value (count up to 32).
    void put(uint32_t value, unsigned count) {
        bits_ |= uint64_t(value) << count_;
        count_ += count;
        if (count_ >= 32) {
            uint8_t *to = out_.data() + pos_;
            for (unsigned i = 0; i < 4; ++i) to[i] = uint8_t(bits_ >> (8 * i));
            pos_ += 4;
            bits_ >>= 32;
            count_ -= 32;
        }
    }

    // Pads with zero bits to the next byte boundary.
    void alignToByte() {
        put(0, (8 - count_ % 8) % 8);
        for (; count_; count_ -= 8, bits_ >>= 8) out_[pos_++] = uint8_t(bits_);
    }

    // Copies bytes after alignToByte.
    void putBytes(const uint8_t *data, size_t size) {
        if (size) std::memcpy(out_.data() + pos_, data, size);
        pos_ += size;
    }

    // Bits sent so far, for the block sizes that depend on alignment.
    unsigned pendingBits() const { return count_; }

    // Flushes the last byte and trims the vector to what was written.
    void finish() {
        alignToByte();
        out_.resize(pos_);
    }

private:
    std::vector<uint8_t> &out_;
    size_t pos_;
    uint64_t bits_ = 0;
    unsigned count_ = 0;
};

}  // namespace zorblit
