// The decoder's pieces on their own: the fast IDCT against the plain one, Huffman
// tables, the bit reader's marker handling, the colour conversion.
#include <gtest/gtest.h>

#include <cstring>

#include "loaders/jpeg_bits.h"
#include "loaders/jpeg_color.h"
#include "loaders/jpeg_huffman.h"
#include "loaders/jpeg_idct.h"
#include "test_images.h"

namespace zorblit::jpeg {
namespace {

TEST(JpegIdct, FastMatchesPlainOnRealAndHostileBlocks) {
    test::TestRandom random(7);
    for (int trial = 0; trial < 3000; ++trial) {
        // Real pictures keep coefficients near +-1024; hostile data reaches 2^23.
        const int64_t limit = trial % 3 == 0 ? (int64_t(1) << 23) : 1100;
        int32_t block[64] = {};
        const int rows = int(random.range(1, 8)), used = int(random.range(1, 64));
        for (int i = 0; i < used; ++i) block[random.range(0, rows * 8 - 1)] = int32_t(random.range(-limit, limit));
        int32_t copy[64];
        std::memcpy(copy, block, sizeof block);
        uint8_t fast[8 * 11], plain[8 * 11];
        inverseDct(block, rows, fast, 11);
        inverseDctPlain(copy, plain, 11);
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c) ASSERT_EQ(fast[r * 11 + c], plain[r * 11 + c]) << trial;
        for (const int32_t left : block) ASSERT_EQ(left, 0);
    }
}

TEST(JpegIdct, DcOnlyBlocksAreFlatAndMatchTheTransform) {
    for (const int32_t dc : {-1 << 23, -2000, -1024, -33, -1, 0, 1, 7, 500, 1016, 4000, 1 << 23}) {
        int32_t block[64] = {dc};
        uint8_t out[64];
        inverseDctPlain(block, out, 8);
        for (const uint8_t sample : out) ASSERT_EQ(sample, dcOnlySample(dc)) << dc;
    }
    EXPECT_EQ(dcOnlySample(0), 128);
    EXPECT_EQ(dcOnlySample(-1024), 0);
    EXPECT_EQ(dcOnlySample(8), 129);  // 8 * 8 / 64 = 1
}

// A table with codes 00 -> 0x01, 01 -> 0x00, 100 -> 0x12, then 1010 0000 0000
// (12 bits, past the lookahead) -> 0x33.
JpegHuffmanTable exampleTable() {
    const uint8_t counts[16] = {0, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    const uint8_t symbols[] = {0x01, 0x00, 0x12, 0x33};
    JpegHuffmanTable table;
    EXPECT_TRUE(table.build(counts, symbols));
    return table;
}

TEST(JpegHuffman, DecodesShortAndLongCodes) {
    const JpegHuffmanTable table = exampleTable();
    // 01 | 00 | 100 1 | 1010 0000 0000 | 11...
    const uint8_t data[] = {0b01001001, 0b10100000, 0b00001111, 0xFF, 0x00};
    JpegBitReader bits(data, data + sizeof data);
    bits.refill();
    EXPECT_EQ(table.decode(bits), 0x00);
    EXPECT_EQ(table.decode(bits), 0x01);
    EXPECT_EQ(table.decode(bits), 0x12);
    EXPECT_EQ(extendSign(bits.take(1), 1), 1);
    EXPECT_EQ(table.decode(bits), 0x33);
    EXPECT_EQ(table.decode(bits), -1);  // 1111 starts no code
}

TEST(JpegHuffman, ShortCoefficientsMatchTheSlowPath) {
    const JpegHuffmanTable table = exampleTable();
    constexpr int L = JpegHuffmanTable::kLookaheadBits;
    // Symbol 0x12 (run 1, two extra bits) behind code 100: patterns 100 xx ......
    for (uint32_t extra = 0; extra < 4; ++extra) {
        const int32_t packed = table.shortCoefficient((0b100 << (L - 3)) | (extra << (L - 5)));
        EXPECT_EQ(packed >> 8, extendSign(extra, 2));
        EXPECT_EQ(packed >> 4 & 15, 1);
        EXPECT_EQ(packed & 15, 5);
    }
    EXPECT_EQ(table.shortCoefficient(0), -1 * 256 + 0 + 3);  // code 00 (0x01), extra bit 0
    EXPECT_EQ(table.shortCoefficient(0b01 << (L - 2)), 0);   // end of block: no value
}

TEST(JpegHuffman, RefusesImpossibleCounts) {
    JpegHuffmanTable table;
    const uint8_t symbols[4096] = {};
    const uint8_t threeOfOneBit[16] = {3};
    EXPECT_FALSE(table.build(threeOfOneBit, symbols));
    uint8_t tooMany[16] = {};
    tooMany[15] = 255;
    tooMany[14] = 2;  // 257 symbols
    EXPECT_FALSE(table.build(tooMany, symbols));
    const uint8_t complete[16] = {2};
    EXPECT_TRUE(table.build(complete, symbols));
}

TEST(JpegBits, StuffingRestartMarkersAndTheEnd) {
    const uint8_t data[] = {0x12, 0xFF, 0x00, 0xFF, 0xD3, 0x34, 0xFF, 0xD9, 0x56};
    JpegBitReader bits(data, data + sizeof data);
    bits.refill();
    EXPECT_EQ(bits.take(8), 0x12u);
    EXPECT_EQ(bits.take(8), 0xFFu);   // stuffed
    EXPECT_EQ(bits.take(16), 0xFFD3u);  // a restart marker reads as its two bytes
    EXPECT_EQ(bits.take(8), 0x34u);
    EXPECT_FALSE(bits.overrun());
    EXPECT_EQ(bits.take(8), 0xFFu);  // past the end of image: ones, and an overrun
    EXPECT_TRUE(bits.overrun());
}

TEST(JpegColor, SplitMultipliersGiveTheFormulasExactly) {
    const auto channel = [](int32_t value) { return uint32_t(std::clamp(value >> 8, 0, 255)); };
    for (int y = 0; y < 256; y += 5)
        for (int cb = 0; cb < 256; ++cb)
            for (int cr = 0; cr < 256; ++cr) {
                const int32_t luma = y * 256, blue = cb - 128, red = cr - 128;
                const uint32_t expected = 0xFF000000u | channel(luma + 359 * red + 128) << 16 |
                                          channel(luma - 88 * blue - 183 * red + 128) << 8 |
                                          channel(luma + 454 * blue + 128);
                ASSERT_EQ(ycbcrToPixel(uint8_t(y), uint8_t(cb), uint8_t(cr)), expected) << y << " " << cb << " " << cr;
            }
    EXPECT_EQ(ycbcrToPixel(128, 128, 128), 0xFF808080u);
    EXPECT_EQ(getRed(ycbcrToPixel(255, 128, 255)), 255);
}

}  // namespace
}  // namespace zorblit::jpeg
