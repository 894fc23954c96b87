// The UTF-8 decoder: worked examples of each kind of sequence, then
// random byte strings against the set of all starts of valid encodings, built
// here by an encoder of every code point. Each string sits in a block of its
// exact size, so the sanitizer build catches a read past the NUL.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unordered_set>
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
    std::copy(bytes.begin(), bytes.end(), block.get());
    block[bytes.size()] = '\0';
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

// Every valid encoding and every start of one, keyed by their bytes.
struct Encodings {
    std::unordered_set<uint64_t> whole, starts;

    static std::string encode(uint32_t c) {
        if (c < 0x80) return std::string(1, char(c));
        if (c < 0x800) return {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
        if (c < 0x10000) return {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
        return {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)),
                char(0x80 | (c & 0x3F))};
    }
    // Up to four bytes and their count in one number.
    static uint64_t key(const std::string &bytes) {
        uint64_t k = bytes.size();
        for (char b : bytes.substr(0, 4)) k = k << 8 | uint8_t(b);
        return bytes.size() > 4 ? 0 : k;
    }
    Encodings() {
        for (uint32_t c = 1; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            const std::string bytes = encode(c);
            whole.insert(key(bytes));
            for (size_t n = 1; n < bytes.size(); ++n) starts.insert(key(bytes.substr(0, n)));
        }
    }
    bool isWhole(const std::string &bytes) const { return whole.count(key(bytes)) != 0; }
    bool isStart(const std::string &bytes) const { return starts.count(key(bytes)) != 0; }
};

// A random string of bytes drawn mostly from lead and continuation bytes.
std::string randomBytes(test::TestRandom &random) {
    std::string bytes;
    for (int64_t n = random.range(1, 12); n > 0; --n) {
        switch (random.next() % 4) {
            case 0: bytes += char(random.range(1, 0x7F)); break;
            case 1: bytes += char(random.range(0xC0, 0xFF)); break;
            default: bytes += char(random.range(0x80, 0xBF));
        }
    }
    return bytes;
}

TEST(Utf8, RandomBytesDecodeAsLongestValidStarts) {
    const Encodings encodings;
    test::TestRandom random(99);
    for (int round = 0; round < 20000; ++round) {
        const std::string bytes = randomBytes(random);
        size_t at = 0;
        for (const Step &step : decode(bytes)) {
            const std::string taken = bytes.substr(at, step.bytes);
            if (step.value != kMalformed) {
                ASSERT_EQ(Encodings::encode(step.value), taken) << round;
            } else {
                ASSERT_FALSE(encodings.isWhole(taken)) << round;
                // The longest start of a valid encoding, or one byte when none.
                ASSERT_TRUE(step.bytes == 1 || encodings.isStart(taken)) << round;
                const std::string longer = bytes.substr(at, step.bytes + 1);
                if (longer.size() > taken.size()) {
                    ASSERT_FALSE(encodings.isStart(longer) || encodings.isWhole(longer)) << round;
                }
            }
            at += step.bytes;
        }
        ASSERT_EQ(at, bytes.size());
    }
}

}  // namespace
}  // namespace zorblit
