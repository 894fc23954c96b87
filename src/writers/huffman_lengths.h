// Length-limited Huffman code lengths and the canonical codes they define.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zorblit {

// Sets lengths[i] for the count frequencies so that no length exceeds limit and
// the total coded size is as small as the limit allows (exactly optimal when the
// limit does not bite). Unused symbols get length 0. The code is always
// complete: with a single used symbol, a second one gets length 1 beside it.
// With no used symbol every length is 0. count must not exceed 2^limit.
void buildCodeLengths(const uint32_t *freqs, size_t count, unsigned limit, uint8_t *lengths);

// The canonical code of each symbol with a nonzero length, its bits reversed
// so that the writer can send it low bit first.
void canonicalCodes(const uint8_t *lengths, size_t count, uint16_t *codes);

}  // namespace zorblit
