// The variable-width LZW coding of GIF image data.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zorblit {

// Room the output needs past the pixels: the last string may run over by up to
// 4095 bytes, and copies move 8 bytes at a time.
constexpr size_t kLzwSlack = 4096 + 8;
// Zero bytes the input needs past its end: codes are read 8 bytes at a time.
constexpr size_t kLzwInputPadding = 16;

enum class LzwResult { complete, dataEnded, badCode };

// Decodes codes of minCodeSize + 1 to 12 bits, least significant bit first, into
// out until count indices are written, an end code or the end of the data. A full
// table stays in use until a clear code. Bytes out[count, count + kLzwSlack) may
// be written.
LzwResult decodeLzw(const uint8_t *data, size_t size, unsigned minCodeSize, uint8_t *out, size_t count);

}  // namespace zorblit
