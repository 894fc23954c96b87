// The library's one pseudo-random generator: xoshiro128** seeded through
// splitmix64, with a rejection rule that makes draw(n) exactly uniform.
#pragma once
#include <cstdint>

namespace zorblit {

class RandomGenerator {
public:
    // The first splitmix64 output fills s0 (low half) and s1, the second s2 and s3.
    explicit RandomGenerator(uint32_t seed);

    // The next xoshiro128** output.
    uint32_t next();

    // Uniform in 0..n - 1 (n > 0): the high half of next() * n, drawn again while
    // the low half falls below 2^32 mod n, the part of the range that would
    // otherwise favour small results.
    uint32_t draw(uint32_t n);

private:
    uint32_t s_[4];
};

}  // namespace zorblit
