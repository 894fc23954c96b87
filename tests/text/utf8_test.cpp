// The UTF-8 decoder: worked examples of each kind of sequence, then random byte
// strings against an encoder of every code point. Each string sits in a block of
// its exact size, so the sanitizer build catches a read past the NUL.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "test_images.h"
#include "text/utf8.h"

namespace zorblit {
namespace {

using text::kMalformed;
using text::nextCodePoint;

struct Step {
    uint32_t value;
    size_t bytes;
    bool operator==(const Step &) const = default;
};

void PrintTo(const Step &step, std::ostream *out) { *out << std::hex << step.value << "/" << step.bytes; }

// The decoder's steps over bytes, from a copy that ends exactly at its NUL.
std::vector<Step> decode(const std::string &bytes) {
    auto block = std::make_unique<char[]>(bytes.size() + 1);
    std::copy(bytes.begin(), bytes.end(), block.get());  // the last byte stays 0
    std::vector<Step> steps;
    for (const char *p = block.get(); *p != '\0';) {
        const char *start = p;
        const uint32_t value = nextCodePoint(p);
        steps.push_back({value, size_t(p - start)});
    }
    return steps;
}

TEST(Utf8, WorkedExamples) {
    constexpr uint32_t M = kMalformed;
    const std::pair<const char *, std::vector<Step>> cases[] = {
        {"A\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF", {{0x41, 1}, {0x7FF, 2}, {0xFFFF, 3}, {0x10FFFF, 4}}},
        // An overlong form, a surrogate, a start cut short, a stray continuation byte.
        {"\xC0\xAF\xED\xA0\x80", {{M, 1}, {M, 1}, {M, 1}, {M, 1}, {M, 1}}},
        {"\xE2\x82" "A\x80", {{M, 2}, {0x41, 1}, {M, 1}}},
    };
    for (const auto &[bytes, steps] : cases) EXPECT_EQ(decode(bytes), steps) << ::testing::PrintToString(std::string(bytes));
}

// The bytes of code point c.
std::string encode(uint32_t c) {
    if (c < 0x80) return std::string(1, char(c));
    if (c < 0x800) return {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    if (c < 0x10000) return {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
    return {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
}

// The first valid encoding not below bytes, or none: encodings sort as their
// code points do, so it is the only one that can begin with bytes.
std::string firstFrom(const std::string &bytes) {
    uint32_t lo = 1, hi = 0x110000;
    while (lo < hi) {
        const uint32_t mid = (lo + hi) / 2;
        encode(mid) < bytes ? lo = mid + 1 : hi = mid;
    }
    if (lo >= 0xD800 && lo <= 0xDFFF) lo = 0xE000;  // surrogates encode nothing
    return lo <= 0x10FFFF ? encode(lo) : "";
}

// A random string of bytes drawn mostly from lead and continuation bytes.
std::string randomBytes(test::TestRandom &random) {
    std::string bytes;
    for (int64_t n = random.range(1, 12); n > 0; --n) {
        const uint64_t kind = random.next() % 4;  // ASCII, lead or continuation byte
        bytes += char(kind == 0 ? random.range(1, 0x7F) : kind == 1 ? random.range(0xC0, 0xFF) : random.range(0x80, 0xBF));
    }
    return bytes;
}

TEST(Utf8, RandomBytesDecodeAsLongestValidStarts) {
    test::TestRandom random(99);
    for (int round = 0; round < 20000; ++round) {
        const std::string bytes = randomBytes(random);
        size_t at = 0;
        for (const Step &step : decode(bytes)) {
            const std::string taken = bytes.substr(at, step.bytes), longer = bytes.substr(at, step.bytes + 1);
            if (step.value != kMalformed) {
                ASSERT_EQ(encode(step.value), taken) << round;
            } else {
                // Not a whole encoding: its longest start, or one byte when none.
                const std::string first = firstFrom(taken);
                ASSERT_TRUE(first != taken && (step.bytes == 1 || first.starts_with(taken))) << round;
                ASSERT_FALSE(longer.size() > taken.size() && firstFrom(longer).starts_with(longer)) << round;
            }
            at += step.bytes;
        }
        ASSERT_EQ(at, bytes.size());
    }
}

}  // namespace
}  // namespace zorblit
