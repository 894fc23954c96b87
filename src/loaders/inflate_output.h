// The growing output of inflate, which is also its sliding window.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "loaders/inflate.h"

namespace zorblit::inflate_detail {

class OutputBuffer {
public:
    // Match copies may write up to this many bytes past their end.
    static constexpr size_t slack = 16;

    OutputBuffer(size_t expected, size_t limit) : limit_(limit), capacity_(expected < limit ? expected : limit) {}

    // Room for n more bytes, growing toward the limit; false beyond the limit or
    // when memory runs out.
    bool reserve(size_t n) {
        if (capacity_ - size_ >= n && data_) return true;
        if (n > limit_ - size_) return false;
        size_t grown = capacity_ < 4096 ? 4096 : capacity_;
        while (grown - size_ < n) grown *= 2;
        if (grown > limit_) grown = limit_;
        auto *block = static_cast<uint8_t *>(std::realloc(data_.get(), grown + slack));
        if (!block) return false;
        data_.release();
        data_.reset(block);
        capacity_ = grown;
        return true;
    }

    // Reserves up to n bytes, fewer near the limit; true when all n are there.
    bool makeRoom(size_t n) {
        const size_t left = limit_ - size_;
        return reserve(n < left ? n : left) && capacity_ - size_ >= n;
    }

    uint8_t *end() { return data_.get() + size_; }
    uint8_t *roomEnd() { return data_.get() + capacity_; }
    void advance(size_t n) { size_ += n; }
    void setEnd(uint8_t *end) { size_ = size_t(end - data_.get()); }
    size_t size() const { return size_; }
    const uint8_t *data() const { return data_.get(); }
    uint8_t *data() { return data_.get(); }

    // Hands the bytes over, trimmed to their size.
    void moveTo(InflatedBytes &out) {
        if (data_) {
            if (auto *trimmed = static_cast<uint8_t *>(std::realloc(data_.get(), size_ ? size_ : 1))) {
                data_.release();
                data_.reset(trimmed);
            }
        }
        out.data = std::move(data_);
        out.size = size_;
    }

private:
    std::unique_ptr<uint8_t[], FreeDeleter> data_;
    size_t size_ = 0;
    size_t limit_;
    size_t capacity_;
};

// Appends length bytes that repeat the bytes distance back; distance <= length
// is allowed and repeats the pattern. Writes at most OutputBuffer::slack bytes
// past the end, which the buffer holds in reserve. Copies go 16 bytes at a time
// when source and target lie 16 or more apart, else 8.
inline void copyMatch(uint8_t *dest, size_t distance, size_t length) {
    const uint8_t *source = dest - distance;
    if (distance >= 16) {
        for (size_t i = 0; i < length; i += 16) std::memcpy(dest + i, source + i, 16);
        return;
    }
    if (distance == 1) {
        const uint64_t repeated = *source * uint64_t(0x0101010101010101);
        for (size_t i = 0; i < length; i += 8) std::memcpy(dest + i, &repeated, 8);
        return;
    }
    if (distance < 8) {
        // Bytes repeat with period distance, so also with any multiple of it:
        // after the first few bytes, copy from a multiple of at least 8 back.
        const size_t period = distance * ((8 + distance - 1) / distance);
        const size_t head = length < period - distance ? length : period - distance;
        for (size_t i = 0; i < head; ++i) dest[i] = source[i];
        dest += head;
        length -= head;
        source = dest - period;
    }
    for (size_t i = 0; i < length; i += 8) std::memcpy(dest + i, source + i, 8);
}

}  // namespace zorblit::inflate_detail
