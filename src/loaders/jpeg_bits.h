// Reads the entropy-coded data of a JPEG scan, most significant bit first.
// 0xFF 0x00 is one 0xFF data byte; a restart marker enters the buffer as its two
// bytes, so the restart check reads it like data; any other marker (end of image,
// or whatever follows the scan) ends the data.
#pragma once
#include <cstdint>

namespace zorblit::jpeg {

// Compilers turn this into a single load and a byte swap.
inline uint64_t loadBig64(const uint8_t *p) {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value = value << 8 | p[i];
    return value;
}

// True when any of the eight bytes is 0xFF.
inline bool hasByteFF(uint64_t word) {
    const uint64_t inverted = ~word;
    return ((inverted - 0x0101010101010101u) & ~inverted & 0x8080808080808080u) != 0;
}

class JpegBitReader {
public:
    static constexpr int kMinBitsAfterRefill = 57;

    JpegBitReader(const uint8_t *begin, const uint8_t *end) : next_(begin), end_(end) {}

    // Tops the buffer up to at least kMinBitsAfterRefill bits. Past the end of the
    // data it adds one bits and counts them; consuming any of those is an overrun.
    void refill() {
        // Fast path: eight bytes without 0xFF hold no marker and no stuffing.
        if (end_ - next_ >= 8) {
            const uint64_t word = loadBig64(next_);
            if (!hasByteFF(word)) {
                const int bytes = (64 - count_) >> 3;
                const int taken = bytes * 8;
                bits_ |= (word >> (64 - taken)) << (64 - taken - count_);
                count_ += taken;
                next_ += bytes;
                return;
            }
        }
        while (count_ < kMinBitsAfterRefill) {
            bits_ |= uint64_t(nextByte()) << (56 - count_);
            count_ += 8;
        }
    }

    // The next n bits (1 <= n <= 32); the caller has refilled.
    uint32_t peek(int n) const { return uint32_t(bits_ >> (64 - n)); }
    void consume(int n) {
        bits_ <<= n;
        count_ -= n;
    }
    uint32_t take(int n) {
        if (n == 0) return 0;
        const uint32_t value = peek(n);
        consume(n);
        return value;
    }
    int available() const { return count_; }
    // Where reading has got to in the data (bytes already buffered included).
    const uint8_t *position() const { return next_; }
    void alignToByte() { consume(count_ & 7); }

    // True once bits beyond the end of the data were used.
    bool overrun() const { return count_ < bitsPastEnd_; }
    // True when what is left of the data cannot hold a whole Huffman code.
    bool nearEnd() const { return next_ == end_ && count_ - bitsPastEnd_ < 16; }

private:
    uint8_t nextByte() {
        if (next_ == end_) return pastEnd();
        const uint8_t byte = *next_++;
        if (byte != 0xFF) return byte;
        const uint8_t marker = next_ == end_ ? 0xD9 : *next_;
        if (marker == 0x00) {
            ++next_;
            return 0xFF;
        }
        if (marker >= 0xD0 && marker <= 0xD7) return 0xFF;  // the marker byte follows
        next_ = end_;
        return pastEnd();
    }
    uint8_t pastEnd() {
        // Saturates far above anything the buffer can hold, so the count cannot wrap.
        if (bitsPastEnd_ < (1 << 20)) bitsPastEnd_ += 8;
        return 0xFF;
    }

    const uint8_t *next_;
    const uint8_t *end_;
    uint64_t bits_ = 0;
    int count_ = 0;
    int bitsPastEnd_ = 0;
};

}  // namespace zorblit::jpeg
