// The compressor at every level against zlib's inflate, and the code lengths it builds.
#include "../loaders/reader_test_support.h"
#include "writers/deflate.h"
#include "writers/huffman_lengths.h"

namespace zorblit::test {
namespace {

// zlib's inflating of the whole input; {0xEE} (no expected result) when it refuses.
Bytes zlibInflate(const Bytes &in, DeflateFraming framing, size_t expectedSize) {
    z_stream z{};
    inflateInit2(&z, framing == DeflateFraming::raw ? -15 : 15);
    Bytes out(expectedSize + 1);
    z.next_in = const_cast<Bytef *>(in.data()), z.avail_in = uInt(in.size()), z.next_out = out.data(), z.avail_out = uInt(out.size());
    const bool whole = inflate(&z, Z_FINISH) == Z_STREAM_END && z.avail_in == 0;
    out.resize(z.total_out), inflateEnd(&z);
    return whole ? out : Bytes{0xEE};
}

TEST(Deflate, EveryLevelRoundTripsThroughZlib) {
    for (int kind = 0; kind < 6; ++kind)
        for (size_t size : {0, 1, 3, 4, 100, 65535, 65536, 200001})
            for (DeflateLevel level : {DeflateLevel::stored, DeflateLevel::fast, DeflateLevel::normal})
                for (DeflateFraming framing : {DeflateFraming::zlib, DeflateFraming::raw}) {
                    const Bytes data = sampleData(kind, size, size + kind);
                    Bytes packed;
                    deflate(data.data(), data.size(), level, framing, packed);
                    ASSERT_EQ(zlibInflate(packed, framing, size), data)
                        << "kind " << kind << " size " << size << " level " << int(level) << " raw " << (framing == DeflateFraming::raw);
                }
}

TEST(Deflate, LongRunsAndRepeatsShrinkAtTheCompressingLevels) {
    const Bytes run(8 << 20, 7), text = sampleData(1, 1 << 20, 2);
    for (DeflateLevel level : {DeflateLevel::fast, DeflateLevel::normal}) {
        Bytes packedRun, packedText;
        deflate(run.data(), run.size(), level, DeflateFraming::zlib, packedRun);
        deflate(text.data(), text.size(), level, DeflateFraming::zlib, packedText);
        EXPECT_LT(packedRun.size(), run.size() / 200) << int(level);       // 258-byte matches of a few bits each
        EXPECT_LT(packedText.size(), text.size() * 9 / 20) << int(level);  // 7 letters: about 3 bits each
        EXPECT_EQ(zlibInflate(packedRun, DeflateFraming::zlib, run.size()), run);
    }
}

TEST(HuffmanLengths, OptimalWhenUnlimitedCompleteAndCappedOtherwise) {
    std::vector<uint8_t> lengths(5);
    const uint32_t small[] = {1, 1, 2, 4, 0}, single[] = {0, 0, 9};
    buildCodeLengths(small, 5, 15, lengths.data());
    EXPECT_EQ(lengths, (std::vector<uint8_t>{3, 3, 2, 1, 0}));
    buildCodeLengths(single, 3, 15, lengths.data());
    EXPECT_EQ(std::vector<uint8_t>(lengths.begin(), lengths.begin() + 3), (std::vector<uint8_t>{1, 0, 1}));
    // Fibonacci frequencies make the deepest unlimited tree: 30 symbols, depth 29. Capped, the
    // code stays complete (Kraft sum 1) and a more frequent symbol never gets a longer code.
    std::vector<uint32_t> fibonacci(30, 1);
    for (size_t i = 2; i < fibonacci.size(); ++i) fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2];
    for (unsigned limit : {7u, 9u, 15u}) {
        std::vector<uint8_t> capped(fibonacci.size());
        buildCodeLengths(fibonacci.data(), fibonacci.size(), limit, capped.data());
        uint64_t kraft = 0;
        for (size_t i = 0; i < capped.size(); ++i) {
            kraft += capped[i] ? uint64_t(1) << (limit - capped[i]) : 0;
            EXPECT_TRUE(capped[i] <= limit && (i == 0 || capped[i] <= capped[i - 1])) << limit << " " << i;
        }
        EXPECT_EQ(kraft, uint64_t(1) << limit) << limit;
    }
}

}  // namespace
}  // namespace zorblit::test
