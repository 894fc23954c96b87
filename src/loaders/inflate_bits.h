// Reads deflate's bit stream, least significant bit first, from a byte range.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zorblit::inflate_detail {

// Compilers turn this into a single load on little-endian processors.
inline uint64_t loadLittle64(const uint8_t *p) {
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

class BitReader {
public:
    BitReader(const uint8_t *begin, const uint8_t *end) : next_(begin), end_(end) {}

    // Tops the buffer up to at least 56 bits. Past the end of the input it adds
    // zero bytes and counts them; consuming any of those is an overrun.
    void refill() {
        if (end_ - next_ >= 8) {
            bits_ |= loadLittle64(next_) << count_;
            next_ += (63 - count_) >> 3;
            count_ |= 56;
            return;
        }
        for (; count_ <= 56; count_ += 8) {
            if (next_ < end_) {
                bits_ |= uint64_t(*next_++) << count_;
            } else {
                ++padding_;
            }
        }
    }

    uint64_t peek() const { return bits_; }
    void consume(unsigned n) {
        bits_ >>= n;
        count_ -= n;
    }
    // n <= 32 bits, after a refill that left at least n.
    uint32_t take(unsigned n) {
        const uint32_t value = uint32_t(bits_ & ((uint64_t(1) << n) - 1));
        consume(n);
        return value;
    }
    // True once a bit beyond the end of the input has been consumed.
    bool overrun() const { return padding_ * 8 > count_; }

    // Drops the bits up to the next byte boundary and returns the unread bytes
    // from there on; false after an overrun.
    bool alignToByte(const uint8_t *&position) {
        consume(count_ & 7);
        if (overrun()) return false;
        position = next_ - (count_ / 8 - padding_);
        return true;
    }
    // Continues reading at position, inside the original range.
    void restartAt(const uint8_t *position) {
        next_ = position;
        bits_ = 0;
        count_ = 0;
        padding_ = 0;
    }
    const uint8_t *end() const { return end_; }

private:
    const uint8_t *next_;
    const uint8_t *end_;
    uint64_t bits_ = 0;
    unsigned count_ = 0;
    unsigned padding_ = 0;
};

}  // namespace zorblit::inflate_detail
