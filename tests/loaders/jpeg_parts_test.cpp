// The decoder's pieces where a whole picture would hide a fault: the fast IDCT
// on hostile blocks, Huffman tables no encoder writes, the colour arithmetic.
#include <cstring>

#include "loaders/jpeg_color.h"
#include "loaders/jpeg_huffman.h"
#include "loaders/jpeg_idct.h"
#include "reader_test_support.h"

namespace zorblit::jpeg {
namespace {

TEST(JpegIdct, FastMatchesPlainOnRealAndHostileBlocks) {
    test::TestRandom random(7);
    for (int trial = 0; trial < 3000; ++trial) {
        // Real pictures keep coefficients near +-1024; hostile data reaches 2^23.
        const int64_t limit = trial % 3 == 0 ? (int64_t(1) << 23) : 1100;
        int32_t block[64] = {}, copy[64];
        const int rows = int(random.range(1, 8)), used = int(random.range(1, 64));
        for (int i = 0; i < used; ++i) block[random.range(0, rows * 8 - 1)] = int32_t(random.range(-limit, limit));
        std::memcpy(copy, block, sizeof block);
        uint8_t fast[8 * 11], plain[8 * 11];
        inverseDct(block, rows, fast, 11);
        inverseDctPlain(copy, plain, 11);
        for (int r = 0; r < 8; ++r) ASSERT_EQ(std::memcmp(fast + r * 11, plain + r * 11, 8), 0) << trial;
        for (const int32_t left : block) ASSERT_EQ(left, 0) << "coefficients are cleared for the next block";
    }
    // DC-only blocks are flat, as the shortcut computes them.
    for (const int32_t dc : {-1 << 23, -2000, -1024, -33, -1, 0, 1, 7, 8, 500, 1016, 4000, 1 << 23}) {
        int32_t block[64] = {dc};
        uint8_t out[64];
        inverseDctPlain(block, out, 8);
        for (const uint8_t sample : out) ASSERT_EQ(sample, dcOnlySample(dc)) << dc;
    }
}

TEST(JpegHuffman, RefusesImpossibleCounts) {
    JpegHuffmanTable table;
    const uint8_t symbols[4096] = {}, threeOfOneBit[16] = {3}, complete[16] = {2};
    uint8_t tooMany[16] = {};
    tooMany[14] = 2, tooMany[15] = 255;  // 257 symbols
    EXPECT_FALSE(table.build(threeOfOneBit, symbols));
    EXPECT_FALSE(table.build(tooMany, symbols));
    EXPECT_TRUE(table.build(complete, symbols));
}

// The split multipliers give the fixed-point formulas exactly.
TEST(JpegColor, MatchesTheFormulas) {
    const auto channel = [](int32_t value) { return uint32_t(std::clamp(value >> 8, 0, 255)); };
    for (const int y : {0, 1, 77, 128, 200, 254, 255})
        for (int cb = 0; cb < 256; ++cb)
            for (int cr = 0; cr < 256; ++cr) {
                const int32_t luma = y * 256, blue = cb - 128, red = cr - 128;
                ASSERT_EQ(ycbcrToPixel(uint8_t(y), uint8_t(cb), uint8_t(cr)),
                          0xFF000000u | channel(luma + 359 * red + 128) << 16 |
                              channel(luma - 88 * blue - 183 * red + 128) << 8 | channel(luma + 454 * blue + 128))
                    << y << " " << cb << " " << cr;
            }
}

}  // namespace
}  // namespace zorblit::jpeg
