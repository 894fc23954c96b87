// What every image reader shares: a bounds-checked little-endian byte cursor, an
// image that reaches the caller only when decoding succeeded, and the path from a
// file name to a decoder that works on memory.
#pragma once
#include <algorithm>
#include <cstdlib>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <new>

#include "loaders/refusal.h"
#include "zorblit.h"

namespace zorblit {

// Reads little-endian values from [data, end). Every read checks the bytes left
// first; a failed read returns false and leaves the cursor where it was.
class ByteCursor {
public:
    ByteCursor(const uint8_t *data, size_t size) : begin_(data), pos_(data), end_(data + size) {}

    size_t remaining() const { return size_t(end_ - pos_); }
    size_t position() const { return size_t(pos_ - begin_); }

    // The one checked read: points bytes at the next count bytes and steps past them.
    bool take(size_t count, const uint8_t *&bytes) {
        if (count > remaining()) return false;
        bytes = pos_;
        pos_ += count;
        return true;
    }
    bool skip(size_t count) {
        const uint8_t *ignored;
        return take(count, ignored);
    }
    // Moves to an offset from the start of the block.
    bool seek(size_t offset) {
        if (offset > size_t(end_ - begin_)) return false;
        pos_ = begin_ + offset;
        return true;
    }

    bool u8(uint8_t &value) { return readLittleEndian(value); }
    bool u16(uint16_t &value) { return readLittleEndian(value); }
    bool u32(uint32_t &value) { return readLittleEndian(value); }
    bool i32(int32_t &value) {
        uint32_t bits;
        if (!u32(bits)) return false;
        value = int32_t(bits);
        return true;
    }

private:
    template <class Unsigned>
    bool readLittleEndian(Unsigned &value) {
        const uint8_t *bytes;
        if (!take(sizeof(Unsigned), bytes)) return false;
        Unsigned result = 0;
        for (size_t i = 0; i < sizeof(Unsigned); ++i) result = Unsigned(result | Unsigned(bytes[i]) << (8 * i));
        value = result;
        return true;
    }

    const uint8_t *begin_;
    const uint8_t *pos_;
    const uint8_t *end_;
};

// An image being decoded. It is freed on destruction unless handed over, so a
// reader that gives up on the way leaves the caller's record exactly as it was.
// Its memory comes from calloc as AllocImage's does (FreeImage releases it), or
// from malloc for a reader that writes every pixel (Fill::Uncleared), but running
// out of memory here is the file's doing, so it is a plain failure: check
// allocated().
class PendingImage {
public:
    enum class Fill { Cleared, Uncleared };

    PendingImage(uint32_t width, uint32_t height, Fill fill = Fill::Cleared)
        : image_{allocate(uint64_t(width) * height, fill), width, height} {}
    bool allocated() const { return image_.data != nullptr; }
    ~PendingImage() { FreeImage(&image_); }
    PendingImage(const PendingImage &) = delete;
    PendingImage &operator=(const PendingImage &) = delete;

    uint32_t *row(uint32_t y) { return image_.data + size_t(y) * image_.width; }

    // Gives the pixels to the caller's record; returns true for a reader's tail call.
    bool handOver(GFXimage *target) {
        *target = image_;
        image_.data = nullptr;
        return true;
    }

private:
    // A pixel count size_t cannot hold (32-bit processors) fails, not cut short.
    static uint32_t *allocate(uint64_t count, Fill fill) {
        count = std::max<uint64_t>(count, 1);
        if (count != size_t(count) || count > SIZE_MAX / 4) return nullptr;
        return static_cast<uint32_t *>(fill == Fill::Cleared ? std::calloc(size_t(count), 4)
                                                             : std::malloc(size_t(count) * 4));
    }
    GFXimage image_{};
};

// True when the declared bytes fit in what is left.
inline bool hasBytes(const ByteCursor &cursor, uint64_t needed) { return needed <= cursor.remaining(); }
// True when count items of itemBytes each fit in what is left; immune to overflow.
inline bool hasItems(const ByteCursor &cursor, uint64_t count, uint64_t itemBytes) {
    return itemBytes == 0 || count <= cursor.remaining() / itemBytes;
}

// A decoder of an encoded image held in memory, under the reader convention.
using MemoryDecoder = bool (*)(GFXimage *image, const uint8_t *data, uint32_t size);

// The largest picture any reader accepts: at most 2^24 pixels across and down
// and at most 2^28 pixels (1 GiB of image). Records "image too large" otherwise.
bool withinImageLimits(uint64_t width, uint64_t height);

// Runs one read as every exported reader does: forgets the last refusal reason
// first, turns running out of memory into a refusal, and gives a general reason
// when read refused without saying why.
template <class Read>
bool runRead(Read &&read) {
    beginRead();
    bool done = false;
    try {
        done = read();
    } catch (const std::bad_alloc &) {
        refuse("out of memory");
    }
    return done || refuse("damaged or unsupported data");
}

// Runs decode on size bytes at data as runRead does.
bool readMemory(GFXimage *image, const uint8_t *data, uint32_t size, MemoryDecoder decode);

// Reads the whole file and hands its bytes to read, as runRead does; false for a
// missing or unreadable file. The file's bytes are released on every path.
bool readFile(const char *name, const std::function<bool(const uint8_t *data, uint32_t size)> &read);
// readFile with a memory decoder.
bool decodeFile(GFXimage *image, const char *name, MemoryDecoder decode);

}  // namespace zorblit
