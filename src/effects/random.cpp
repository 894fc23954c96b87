#include "effects/random.h"

#include <bit>

namespace zorblit {

namespace {

uint64_t splitMix64(uint64_t &counter) {
    uint64_t z = (counter += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

RandomGenerator::RandomGenerator(uint32_t seed) {
    uint64_t counter = seed;
    const uint64_t first = splitMix64(counter), second = splitMix64(counter);
    s_[0] = uint32_t(first);
    s_[1] = uint32_t(first >> 32);
    s_[2] = uint32_t(second);
    s_[3] = uint32_t(second >> 32);
}

uint32_t RandomGenerator::next() {
    const uint32_t result = std::rotl(s_[1] * 5, 7) * 9;
    const uint32_t t = s_[1] << 9;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = std::rotl(s_[3], 11);
    return result;
}

uint32_t RandomGenerator::draw(uint32_t n) {
    const uint32_t threshold = (0u - n) % n;  // (2^32 - n) mod n
    for (;;) {
        const uint64_t m = uint64_t(next()) * n;
        if (uint32_t(m) >= threshold) return uint32_t(m >> 32);
    }
}

}  // namespace zorblit
