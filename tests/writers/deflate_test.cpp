// The compressor at every level against zlib's inflate and ours, and the code
// lengths it builds.
#include <zlib.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "loaders/inflate.h"
#include "test_images.h"
#include "writers/deflate.h"
#include "writers/huffman_lengths.h"

namespace zorblit::test {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr DeflateLevel kLevels[] = {DeflateLevel::stored, DeflateLevel::fast, DeflateLevel::normal};

Bytes zlibInflate(const Bytes &in, DeflateFraming framing, size_t expectedSize) {
    z_stream z{};
    inflateInit2(&z, framing == DeflateFraming::raw ? -15 : 15);
    Bytes out(expectedSize + 1);
    z.next_in = const_cast<Bytef *>(in.data()), z.avail_in = uInt(in.size());
    z.next_out = out.data(), z.avail_out = uInt(out.size());
    const int status = inflate(&z, Z_FINISH);
    out.resize(z.total_out);
    const bool wholeInput = z.avail_in == 0;
    inflateEnd(&z);
    if (status != Z_STREAM_END || !wholeInput) return {0xEE};  // differs from any expected result
    return out;
}

Bytes ourInflate(const Bytes &in, DeflateFraming framing, size_t expectedSize) {
    InflatedBytes out;
    if (!zorblit::inflate(in.data(), in.size(), framing, expectedSize, out)) return {0xEE};
    return Bytes(out.data.get(), out.data.get() + out.size);
}

// Noise; few-letter text; copies of an earlier random stretch up to the window's
// far end; rows of a smooth picture with noise (filtered-image-like); one long run.
Bytes sample(int kind, size_t size, uint64_t seed) {
    TestRandom random(seed);
    Bytes data(size);
    for (size_t i = 0; i < size; ++i) {
        switch (kind) {
        case 0: data[i] = uint8_t(random.next()); break;
        case 1: data[i] = uint8_t("ab cde\n"[random.range(0, 6)]); break;
        case 2: data[i] = i < 32768 || random.range(0, 99) == 0 ? uint8_t(random.next()) : data[i - 32768 + i % 3]; break;
        case 3: data[i] = uint8_t(i % 1531 / 6 + random.range(-3, 3) * (i % 5 == 0)); break;
        default: data[i] = 7;
        }
    }
    return data;
}

TEST(Deflate, EveryLevelRoundTripsThroughZlibAndOurInflate) {
    const size_t sizes[] = {0, 1, 3, 4, 100, 65535, 65536, 200001};
    for (int kind = 0; kind < 5; ++kind)
        for (size_t size : sizes)
            for (DeflateLevel level : kLevels)
                for (DeflateFraming framing : {DeflateFraming::zlib, DeflateFraming::raw}) {
                    const Bytes data = sample(kind, size, size + kind);
                    Bytes packed;
                    deflate(data.data(), data.size(), level, framing, packed);
                    const auto what = ::testing::Message() << "kind " << kind << " size " << size << " level "
                                                           << int(level) << " raw " << (framing == DeflateFraming::raw);
                    ASSERT_EQ(zlibInflate(packed, framing, size), data) << what;
                    ASSERT_EQ(ourInflate(packed, framing, size), data) << what;
                }
}

TEST(Deflate, LongRunsAndRepeatsShrinkAtTheCompressingLevels) {
    const Bytes run = sample(4, 8 << 20, 1), text = sample(1, 1 << 20, 2);
    for (DeflateLevel level : {DeflateLevel::fast, DeflateLevel::normal}) {
        Bytes packedRun, packedText;
        deflate(run.data(), run.size(), level, DeflateFraming::zlib, packedRun);
        deflate(text.data(), text.size(), level, DeflateFraming::zlib, packedText);
        EXPECT_LT(packedRun.size(), run.size() / 200) << int(level);  // 258-byte matches of a few bits each
        EXPECT_LT(packedText.size(), text.size() * 9 / 20) << int(level);  // 7 letters: about 3 bits each
        EXPECT_EQ(zlibInflate(packedRun, DeflateFraming::zlib, run.size()), run);
    }
}

// Kraft sum of the lengths in units of 2^-limit.
uint64_t kraft(const std::vector<uint8_t> &lengths, unsigned limit) {
    uint64_t sum = 0;
    for (uint8_t l : lengths)
        if (l) sum += uint64_t(1) << (limit - l);
    return sum;
}

TEST(HuffmanLengths, OptimalWhenUnlimitedCompleteAndCappedOtherwise) {
    std::vector<uint8_t> lengths(5);
    const uint32_t small[] = {1, 1, 2, 4, 0};
    buildCodeLengths(small, 5, 15, lengths.data());
    EXPECT_EQ(lengths, (std::vector<uint8_t>{3, 3, 2, 1, 0}));
    const uint32_t single[] = {0, 0, 9};
    buildCodeLengths(single, 3, 15, lengths.data());
    EXPECT_EQ(std::vector<uint8_t>(lengths.begin(), lengths.begin() + 3), (std::vector<uint8_t>{1, 0, 1}));

    // Fibonacci frequencies make the deepest unlimited tree: 30 symbols, depth 29.
    std::vector<uint32_t> fibonacci(30, 1);
    for (size_t i = 2; i < fibonacci.size(); ++i) fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2];
    for (unsigned limit : {7u, 9u, 15u}) {
        std::vector<uint8_t> capped(fibonacci.size());
        buildCodeLengths(fibonacci.data(), fibonacci.size(), limit, capped.data());
        EXPECT_EQ(kraft(capped, limit), uint64_t(1) << limit) << limit;
        for (size_t i = 1; i < capped.size(); ++i) {
            EXPECT_LE(capped[i], limit);
            EXPECT_LE(capped[i], capped[i - 1]) << "a more frequent symbol got a longer code";
        }
    }
}

}  // namespace
}  // namespace zorblit::test
