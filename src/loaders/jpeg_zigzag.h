// The zig-zag order in which JPEG codes a block's 64 coefficients.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>

namespace zorblit::jpeg {

// Natural-order position (row * 8 + column, row = vertical frequency) of the
// k-th coefficient in zig-zag order.
constexpr uint8_t kZigzagNatural[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                        12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                        35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                        58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Where the k-th coefficient goes in the blocks the inverse transform takes,
// which hold them column by column: column * 8 + row.
constexpr auto kZigzag = [] {
    std::array<uint8_t, 64> positions{};
    for (int k = 0; k < 64; ++k) positions[k] = uint8_t(kZigzagNatural[k] % 8 * 8 + kZigzagNatural[k] / 8);
    return positions;
}();

// For each zig-zag position k: how many rows the coefficients 0..k reach.
constexpr auto kRowsUpTo = [] {
    std::array<uint8_t, 64> rows{};
    int reach = 0;
    for (int k = 0; k < 64; ++k) rows[k] = uint8_t(reach = std::max(reach, kZigzagNatural[k] / 8 + 1));
    return rows;
}();

}  // namespace zorblit::jpeg
