// Inflate and the checksums against zlib, and the refusals of bad streams.
#include "loaders/checksum.h"
#include "loaders/inflate.h"
#include "reader_test_support.h"

namespace zorblit::test {
namespace {

// Noise, text-like runs, short periods that make overlapping matches, long runs
// that make length 258.
Bytes sampleData(int kind, size_t size, uint64_t seed) {
    TestRandom random(seed);
    Bytes data(size);
    for (size_t i = 0; i < size; ++i)
        data[i] = kind == 0 ? uint8_t(random.next())
                  : kind == 1 ? uint8_t('a' + random.range(0, 5))
                  : kind == 2 ? (i < 9 ? uint8_t(random.next()) : data[i - 1 - (i / 997) % 9])
                              : uint8_t((i / 3000) * 7);
    return data;
}

bool inflateAll(const Bytes &in, DeflateFraming framing, Bytes &out, size_t limit = SIZE_MAX) {
    InflatedBytes result;
    if (!inflate(in.data(), in.size(), framing, limit, result)) return false;
    out.assign(result.data.get(), result.data.get() + result.size);
    return true;
}

TEST(Checksums, MatchZlibAtEveryAlignmentAndInPieces) {
    const Bytes data = sampleData(0, 70001, 3), ones(200000, 0xFF);  // all 0xFF: Adler's s2 largest before its modulo
    for (size_t size : {0, 1, 7, 8, 9, 63, 5552, 5553, 70000}) {
        EXPECT_EQ(updateCrc32(0, data.data() + 1, size), crc32(0, data.data() + 1, uInt(size))) << size;
        EXPECT_EQ(updateAdler32(1, data.data(), size), adler32(1, data.data(), uInt(size))) << size;
    }
    EXPECT_EQ(updateCrc32(updateCrc32(0, data.data(), 1000), data.data() + 1000, 69000), crc32(0, data.data(), 70000));
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
                        ASSERT_TRUE(inflateAll(deflateBytes(data, level, raw, strategy), raw ? DeflateFraming::raw : DeflateFraming::zlib, out) &&
                                    out == data) << kind << " " << size << " " << level << " " << strategy << " " << raw;
                    }
        }
}

// A zlib header with valid check bits, followed by the rest of stream.
Bytes withHeader(uint8_t cmf, uint8_t flags, const Bytes &stream) {
    Bytes out = stream;
    out.at(0) = cmf;
    out.at(1) = uint8_t(flags + (31 - (cmf * 256u + flags) % 31) % 31);
    return out;
}

TEST(Inflate, RefusesBadStreamsAndKeepsTheLimit) {
    const Bytes text = sampleData(1, 2000, 5), z = deflateBytes(text), periodic = sampleData(2, 50000, 9);
    Bytes out, badCheck = z, badAdler = z;
    badCheck[1] ^= 1;
    badAdler.back() ^= 1;
    EXPECT_TRUE(inflateAll(withHeader(0x78, 0x80, z), DeflateFraming::zlib, out) && out == text);
    EXPECT_TRUE(inflateAll(deflateBytes(periodic), DeflateFraming::zlib, out, periodic.size()) && out == periodic);
    EXPECT_FALSE(inflateAll(deflateBytes(periodic), DeflateFraming::zlib, out, periodic.size() - 1)) << "limit";
    EXPECT_TRUE(inflateAll({0x01, 0x00, 0x00, 0xFF, 0xFF}, DeflateFraming::raw, out) && out.empty()) << "empty stored block";
    const std::pair<const char *, Bytes> zlibRefused[] = {
        {"method 7", withHeader(0x77, 0x80, z)}, {"window 2^16", withHeader(0x88, 0x80, z)},
        {"preset dictionary", withHeader(0x78, 0xA0, z)}, {"check bits", badCheck}, {"Adler-32", badAdler}};
    for (const auto &[what, stream] : zlibRefused) EXPECT_FALSE(inflateAll(stream, DeflateFraming::zlib, out)) << what;
    // Raw streams no encoder writes.
    const std::pair<const char *, Bytes> rawRefused[] = {
        {"block type 3", {0x07}},
        {"stored length check", {0x01, 0x05, 0x00, 0x00, 0xFF, 'a', 'b', 'c', 'd', 'e'}},
        {"stored data cut short", {0x01, 0x05, 0x00, 0xFA, 0xFF, 'a', 'b'}},
        // Fixed codes: length symbol 257 (0000001), distance code 0, with no output yet.
        {"distance beyond the output", {0x03, 0x02, 0x00}},
        // Dynamic header with all 19 code-length codes one bit long.
        {"over-subscribed code", {0x05, 0xE0, 0x93, 0x24, 0x49, 0x92, 0x24, 0x49, 0x92, 0x00}}};
    for (const auto &[what, stream] : rawRefused) EXPECT_FALSE(inflateAll(stream, DeflateFraming::raw, out)) << what;
    for (size_t length = 0; length < z.size(); ++length)
        ASSERT_FALSE(inflateAll(Bytes(z.begin(), z.begin() + ptrdiff_t(length)), DeflateFraming::zlib, out)) << length;
}

// Random damage inside a real stream: refused or decoded, never a crash.
TEST(Inflate, SurvivesDamagedStreams) {
    const Bytes stream = deflateBytes(sampleData(2, 4000, 11), 9, true);
    TestRandom random(17);
    for (int trial = 0; trial < 3000; ++trial) {
        Bytes bad = stream, out;
        bad[size_t(random.range(0, int64_t(bad.size()) - 1))] ^= uint8_t(1 << random.range(0, 7));
        ASSERT_TRUE(!inflateAll(bad, DeflateFraming::raw, out, 1 << 20) || out.size() <= 1 << 20);
    }
}

}  // namespace
}  // namespace zorblit::test
