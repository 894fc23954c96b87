// Deflate decompression (RFC 1951), bare or inside a zlib stream (RFC 1950).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace zorblit {

enum class DeflateFraming {
    zlib,  // two-byte header, deflate data, big-endian Adler-32 of the output
    raw,   // deflate data alone
};

struct FreeDeleter {
    void operator()(void *block) const { std::free(block); }
};

// Decompressed bytes; data is null only when nothing was produced.
struct InflatedBytes {
    std::unique_ptr<uint8_t[], FreeDeleter> data;
    size_t size = 0;
};

struct ByteSpan {
    const uint8_t *data;
    size_t size;
};

// Decompresses the stream held in the given blocks, in order, into out. False
// for malformed or truncated data, a wrong Adler-32, or output that would
// exceed maxOutput bytes; out is then untouched. Memory grows with the output
// actually produced, never beyond maxOutput. Bytes after the stream are ignored.
bool inflate(const ByteSpan *input, size_t spanCount, DeflateFraming framing, size_t maxOutput, InflatedBytes &out);

inline bool inflate(const uint8_t *input, size_t inputSize, DeflateFraming framing, size_t maxOutput,
                    InflatedBytes &out) {
    const ByteSpan span{input, inputSize};
    return inflate(&span, 1, framing, maxOutput, out);
}

}  // namespace zorblit
