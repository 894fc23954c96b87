// Inflate and the checksums against zlib, and the refusals of bad streams.
#include <gtest/gtest.h>
#include <zlib.h>

#include "loaders/checksum.h"
#include "loaders/inflate.h"
#include "png_test_support.h"
#include "test_images.h"

namespace zorblit {
namespace {

using test::Bytes;
using test::deflateBytes;

// Data of several characters: noise, text-like runs, short periods that make
// overlapping matches, long runs that make length 258.
Bytes sampleData(int kind, size_t size, uint64_t seed) {
    test::TestRandom random(seed);
    Bytes data(size);
    for (size_t i = 0; i < size; ++i) {
        switch (kind) {
            case 0: data[i] = uint8_t(random.next()); break;
            case 1: data[i] = uint8_t('a' + random.range(0, 5)); break;
            case 2: data[i] = i < 9 ? uint8_t(random.next()) : data[i - 1 - (i / 997) % 9]; break;
            default: data[i] = uint8_t((i / 3000) * 7); break;
        }
    }
    return data;
}

bool inflateAll(const Bytes &in, DeflateFraming framing, Bytes &out, size_t limit = SIZE_MAX) {
    InflatedBytes result;
    if (!inflate(in.data(), in.size(), framing, limit, result)) return false;
    out.assign(result.data.get(), result.data.get() + result.size);
    return true;
}

TEST(Checksums, MatchZlibAtEveryAlignmentAndInPieces) {
    const Bytes data = sampleData(0, 70000, 3);
    for (size_t size : {0, 1, 7, 8, 9, 63, 5552, 5553, 70000}) {
        EXPECT_EQ(updateCrc32(0, data.data() + 1, size - (size == 70000)),
                  crc32(0, data.data() + 1, uInt(size - (size == 70000))));
        EXPECT_EQ(updateAdler32(1, data.data(), size), adler32(1, data.data(), uInt(size)));
    }
    const uint32_t crcPieces = updateCrc32(updateCrc32(0, data.data(), 1000), data.data() + 1000, 69000);
    EXPECT_EQ(crcPieces, crc32(0, data.data(), 70000));
    // All bytes 255 make s2 largest before its modulo.
    const Bytes ones(200000, 0xFF);
    EXPECT_EQ(updateAdler32(1, ones.data(), ones.size()), adler32(1, ones.data(), uInt(ones.size())));
}

TEST(Inflate, MatchesZlibForEveryLevelStrategyAndFraming) {
    for (int kind = 0; kind < 4; ++kind)
        for (size_t size : {0, 1, 300, 100000}) {
            const Bytes data = sampleData(kind, size, uint64_t(kind) * 31 + size);
            for (int level : {0, 1, 6, 9})
                for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE})
                    for (bool raw : {false, true}) {
                        Bytes out;
                        ASSERT_TRUE(inflateAll(deflateBytes(data, level, raw, strategy),
                                               raw ? DeflateFraming::raw : DeflateFraming::zlib, out))
                            << kind << " " << size << " " << level << " " << strategy;
                        ASSERT_EQ(out, data) << kind << " " << size << " " << level << " " << strategy;
                    }
        }
}

TEST(Inflate, OutputLimitIsExact) {
    const Bytes data = sampleData(2, 50000, 9), stream = deflateBytes(data);
    Bytes out;
    EXPECT_TRUE(inflateAll(stream, DeflateFraming::zlib, out, data.size()));
    EXPECT_FALSE(inflateAll(stream, DeflateFraming::zlib, out, data.size() - 1));
}

// A zlib header with valid check bits, followed by the rest of stream.
Bytes withHeader(uint8_t cmf, uint8_t flags, const Bytes &stream) {
    Bytes out = stream;
    out.at(0) = cmf;
    out.at(1) = uint8_t(flags + (31 - (cmf * 256u + flags) % 31) % 31);
    return out;
}

TEST(Inflate, RefusesBadHeadersTrailersAndTruncations) {
    const Bytes data = sampleData(1, 2000, 5), stream = deflateBytes(data);
    Bytes out;
    ASSERT_TRUE(inflateAll(withHeader(0x78, 0x80, stream), DeflateFraming::zlib, out));
    EXPECT_FALSE(inflateAll(withHeader(0x77, 0x80, stream), DeflateFraming::zlib, out)) << "method 7";
    EXPECT_FALSE(inflateAll(withHeader(0x88, 0x80, stream), DeflateFraming::zlib, out)) << "window 2^16";
    EXPECT_FALSE(inflateAll(withHeader(0x78, 0xA0, stream), DeflateFraming::zlib, out)) << "preset dictionary";
    Bytes bad = stream;
    bad[1] ^= 1;
    EXPECT_FALSE(inflateAll(bad, DeflateFraming::zlib, out)) << "check bits";
    bad = stream;
    bad.back() ^= 1;
    EXPECT_FALSE(inflateAll(bad, DeflateFraming::zlib, out)) << "Adler-32";
    for (size_t length = 0; length < stream.size(); ++length) {
        const Bytes cut(stream.begin(), stream.begin() + ptrdiff_t(length));
        ASSERT_FALSE(inflateAll(cut, DeflateFraming::zlib, out)) << length;
    }
}

// Hand-made raw deflate streams for the cases encoders never produce.
TEST(Inflate, RefusesMalformedBlocks) {
    Bytes out;
    const auto refuses = [&](Bytes stream) { return !inflateAll(stream, DeflateFraming::raw, out); };
    EXPECT_TRUE(refuses({0x07})) << "block type 3";
    EXPECT_TRUE(refuses({0x01, 0x05, 0x00, 0x00, 0xFF, 'a', 'b', 'c', 'd', 'e'})) << "stored length check";
    EXPECT_TRUE(refuses({0x01, 0x05, 0x00, 0xFA, 0xFF, 'a', 'b'})) << "stored data cut short";
    // Fixed codes: length symbol 257 (0000001), distance code 0, with no output yet.
    EXPECT_TRUE(refuses({0x03, 0x02, 0x00})) << "distance beyond the output";
    // Dynamic header with all 19 code-length codes one bit long: over-subscribed.
    EXPECT_TRUE(refuses({0x05, 0xE0, 0x93, 0x24, 0x49, 0x92, 0x24, 0x49, 0x92, 0x00}));
    EXPECT_TRUE(inflateAll({0x01, 0x00, 0x00, 0xFF, 0xFF}, DeflateFraming::raw, out) && out.empty());
}

// Random damage inside a real stream: refused or decoded, never a crash.
TEST(Inflate, SurvivesDamagedStreams) {
    const Bytes data = sampleData(2, 4000, 11), stream = deflateBytes(data, 9, true);
    test::TestRandom random(17);
    for (int trial = 0; trial < 3000; ++trial) {
        Bytes bad = stream;
        bad[size_t(random.range(0, int64_t(bad.size()) - 1))] ^= uint8_t(1 << random.range(0, 7));
        Bytes out;
        inflateAll(bad, DeflateFraming::raw, out, 1 << 20);
    }
}

}  // namespace
}  // namespace zorblit
