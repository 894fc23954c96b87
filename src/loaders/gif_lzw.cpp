// Every table entry is a string that was already written to the output: the
// previous code's string and the first index after it. So an entry is a start
// and a length in the output, and decoding a code is a copy from earlier output;
// the one code that names the entry being made copies from itself, overlapping.
#include "loaders/gif_lzw.h"

#include <array>
#include <cstring>

namespace zorblit {
namespace {

constexpr unsigned kMaxCodeSize = 12;
constexpr unsigned kTableSize = 1u << kMaxCodeSize;

uint64_t load64(const uint8_t *p) {
    uint64_t value = 0;
    for (unsigned i = 0; i < 8; ++i) value |= uint64_t(p[i]) << (8 * i);
    return value;
}

// Copies length bytes from source, which lies before target; 8 at a time when the
// two are at least 8 apart, so the chunks only read bytes already written.
inline void copyString(uint8_t *target, const uint8_t *source, size_t length) {
    if (size_t(target - source) >= 8) {
        for (size_t i = 0; i < length; i += 8) std::memcpy(target + i, source + i, 8);
    } else {
        for (size_t i = 0; i < length; ++i) target[i] = source[i];
    }
}

}  // namespace

LzwResult decodeLzw(const uint8_t *data, size_t size, unsigned minCodeSize, uint8_t *out, size_t count) {
    const unsigned clear = 1u << minCodeSize, end = clear + 1;
    std::array<uint32_t, kTableSize> start;
    std::array<uint16_t, kTableSize> length;
    unsigned codeSize = minCodeSize + 1, next = end + 1;
    bool havePrevious = false;
    size_t previousPos = 0, pos = 0;
    unsigned previousLength = 0;

    const uint64_t totalBits = uint64_t(size) * 8;
    uint64_t bits = 0;
    unsigned bitCount = 0;
    size_t at = 0;
    while (pos < count) {
        if (bitCount < codeSize) {
            bits |= load64(data + at) << bitCount;
            at += (63 - bitCount) >> 3;
            bitCount |= 56;
        }
        const unsigned code = unsigned(bits) & ((1u << codeSize) - 1);
        bits >>= codeSize;
        bitCount -= codeSize;
        if (uint64_t(at) * 8 - bitCount > totalBits) return LzwResult::dataEnded;

        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = end + 1;
            havePrevious = false;
            continue;
        }
        if (code == end) break;
        unsigned stringLength = 1;
        if (!havePrevious) {
            if (code > end) return LzwResult::badCode;
            out[pos] = uint8_t(code);
        } else {
            if (code > next) return LzwResult::badCode;
            if (next < kTableSize) {
                start[next] = uint32_t(previousPos);
                length[next] = uint16_t(previousLength + 1);
                if (++next == 1u << codeSize && codeSize < kMaxCodeSize) ++codeSize;
            }
            if (code < clear) {
                out[pos] = uint8_t(code);
            } else {
                stringLength = length[code];
                copyString(out + pos, out + start[code], stringLength);
            }
        }
        havePrevious = true;
        previousPos = pos;
        previousLength = stringLength;
        pos += stringLength;
    }
    return pos >= count ? LzwResult::complete : LzwResult::dataEnded;
}

}  // namespace zorblit
