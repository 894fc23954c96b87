// Reads deflate's bit stream, least significant bit first, from a sequence of
// byte blocks (PNG spreads one stream over several IDAT chunks).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "loaders/inflate.h"

namespace zorblit::inflate_detail {

// Compilers turn this into a single load on little-endian processors.
inline uint64_t loadLittle64(const uint8_t *p) {
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

class BitReader {
public:
    BitReader(const ByteSpan *spans, size_t count) : span_(spans), lastSpan_(spans + count) {
        if (count) {
            next_ = spans->data;
            end_ = next_ + spans->size;
        }
    }

    // Tops the buffer up to at least 56 bits. Past the end of the input it adds
    // zero bytes and counts them; consuming any of those is an overrun.
    void refill() {
        Window w = window();
        if (w.hasEightBytes(end_)) {
            w.refill();
            setWindow(w);
            return;
        }
        for (; count_ <= 56; count_ += 8) {
            const uint8_t *byte = nextByte();
            if (byte) {
                bits_ |= uint64_t(*byte) << count_;
            } else {
                ++padding_;
            }
        }
    }

    // The decoding loop's fast path keeps the reader's state in locals, where
    // its byte stores to the output cannot alias it, and refills 8 bytes at a
    // time while the current block holds 8 more.
    struct Window {
        const uint8_t *next;
        uint64_t bits;
        unsigned count;
        bool hasEightBytes(const uint8_t *blockEnd) const { return blockEnd - next >= 8; }
        void refill() {
            bits |= loadLittle64(next) << count;
            next += (63 - count) >> 3;
            count |= 56;
        }
        void consume(unsigned n) {
            bits >>= n;
            count -= n;
        }
    };
    Window window() const { return {next_, bits_, count_}; }
    void setWindow(const Window &w) {
        next_ = w.next;
        bits_ = w.bits;
        count_ = w.count;
    }
    const uint8_t *blockEnd() const { return end_; }

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

    // Drops the bits up to the next byte boundary.
    void alignToByte() { consume(count_ & 7); }

    // Copies whole bytes from a byte boundary on; false when the input ends first.
    bool copyBytes(uint8_t *dest, size_t n) {
        if (overrun()) return false;
        for (; n && count_ >= 8 * (padding_ + 1); --n) *dest++ = uint8_t(take(8));
        if (!n) return true;
        // The buffer holds no input bytes any more: continue from the blocks.
        bits_ = 0;
        count_ = 0;
        if (padding_) return false;
        while (n) {
            if (next_ == end_ && !nextSpan()) return false;
            const size_t chunk = n < size_t(end_ - next_) ? n : size_t(end_ - next_);
            std::memcpy(dest, next_, chunk);
            dest += chunk;
            next_ += chunk;
            n -= chunk;
        }
        return true;
    }

private:
    const uint8_t *nextByte() {
        while (next_ == end_)
            if (!nextSpan()) return nullptr;
        return next_++;
    }
    bool nextSpan() {
        if (span_ == lastSpan_ || span_ + 1 == lastSpan_) return false;
        ++span_;
        next_ = span_->data;
        end_ = next_ + span_->size;
        return true;
    }

    const ByteSpan *span_;
    const ByteSpan *lastSpan_;
    const uint8_t *next_ = nullptr;
    const uint8_t *end_ = nullptr;
    uint64_t bits_ = 0;
    unsigned count_ = 0;
    unsigned padding_ = 0;
};

}  // namespace zorblit::inflate_detail
